#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "TError.h"
#include "THtmlFileMaker.h"

namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

const QString TooLong = U("行が長すぎます");
QString LineTooLong(int line) {
    return QString::number(line) + U(" 行で ") + TooLong;
}
QString ShortPercent(int offset) {
    return U("URL 表記用エンコード（%XX）文字列のエラー：位置 - ") + QString::number(offset);
}
QString BadPercent(const char* chars, int offset) {
    return U("URL 表記エンコードでは許されない文字 (") + U(chars) + U(")：位置 - ") +
           QString::number(offset);
}

struct TPageCase {
    const char* Label;
    QString Template;
    std::vector<std::pair<QString, QString>> Outputs;
    QString Page;   // expected page, when Error is empty
    QString Error;  // expected message
};

const std::vector<std::pair<QString, QString>> Title = {{"title", "Hello"}};

std::vector<TPageCase> PageCases() {
    const QString a4093(4093, u'a');
    const QString a4094(4094, u'a');
    const QString kana1364 = U("あ").repeated(1364);  // 4092 bytes
    return {
        // tag recognition
        {"plain tag", U("<#p name=title>"), Title, U("Hello\r\n"), {}},
        {"capital tag name", U("<#P name=title>"), Title, U("Hello\r\n"), {}},
        {"capital key", U("<#p NAME=title>"), Title, U("Hello\r\n"), {}},
        {"mixed-case key", U("<#p nAmE=title>"), Title, U("Hello\r\n"), {}},
        {"blanks between < and #", U("< \t#p name=title>"), Title, U("Hello\r\n"), {}},
        {"line break between < and #", U("<\n#\np name=title>"), Title, U("Hello\r\n"), {}},
        {"blanks between # and name", U("<#  p name=title>"), Title, U("Hello\r\n"), {}},
        {"text around the tag", U("a<#p name=title>b"), Title, U("aHellob\r\n"), {}},
        {"blanks after the tag are copied",
         U("<#p name=title> \t\n"),
         Title,
         U("Hello \t\r\n"),
         {}},
        {"several tags, one entry",
         U("<#p name=title>-<#p name=title>"),
         Title,
         U("Hello-Hello\r\n"),
         {}},
        {"lookup is case-sensitive", U("<#p name=Title>"), Title, U("\r\n"), {}},
        {"unknown name", U("x<#p name=none>y"), Title, U("xy\r\n"), {}},
        {"name runs into the parameter", U("<#pname=title>"), Title, U("\r\n"), {}},
        {"other tag name", U("<#q name=title>"), Title, U("\r\n"), {}},
        {"tag name starting with a digit", U("<#1 name=title>"), Title, U("\r\n"), {}},
        {"p without parameters", U("<#p>"), Title, U("\r\n"), {}},
        {"\"<#>\" takes \">\" as its name", U("a<#>b>c"), Title, U("ac\r\n"), {}},
        {"\"<#\" at the end", U("a<#"), Title, U("a"), {}},
        {"unterminated tag swallows the rest",
         U("a<#p name=title\nb <c\n"),
         Title,
         U("aHello"),
         {}},
        {"quoted \">\" belongs to the tag",
         U("<#p name=title alt=\">\">rest"),
         Title,
         U("Hellorest\r\n"),
         {}},
        {"\"<#\" inside a tag is parameter text",
         U("<#p name=title x=<#p>b"),
         Title,
         U("Hellob\r\n"),
         {}},
        // parameters
        {"double-quoted value with a space",
         U("<#p name=\"my title\">"),
         {{"my title", "X"}},
         U("X\r\n"),
         {}},
        {"\"+\" is a space", U("<#p name=my+title>"), {{"my title", "X"}}, U("X\r\n"), {}},
        {"%41 is A", U("<#p name=%41>"), {{"A", "x"}}, U("x\r\n"), {}},
        {"lower-case hex and %%", U("<#p name=%4a%%>"), {{"J%", "x"}}, U("x\r\n"), {}},
        {"%XX bytes are Shift_JIS", U("<#p name=%93%FA>"), {{U("日"), "x"}}, U("x\r\n"), {}},
        {"value in apostrophes", U("<#p name='title'>"), Title, U("Hello\r\n"), {}},
        {"apostrophe in double quotes", U("<#p name=\"it's\">"), {{"it's", "Y"}}, U("Y\r\n"), {}},
        {"unquoted apostrophe runs on to the next free \">\"",
         U("<#p name=it's>x'>tail"),
         {{"its>x", "V"}},
         U("Vtail\r\n"),
         {}},
        {"second parameter before", U("<#p id=1 name=title>"), Title, U("Hello\r\n"), {}},
        {"second parameter after", U("<#p name=title id=1>"), Title, U("Hello\r\n"), {}},
        {"first of two names counts",
         U("<#p name=title name=other>"),
         {{"title", "Hello"}, {"other", "Other"}},
         U("Hello\r\n"),
         {}},
        {"blanks around \"=\"", U("<#p name = title>"), Title, U("\r\n"), {}},
        {"multi-line parameters", U("<#p\nid=1\r\nname=title\r>"), Title, U("Hello\r\n"), {}},
        {"Japanese name", U("<#p name=日付>"), {{U("日付"), "D"}}, U("D\r\n"), {}},
        {"CP932 extension character", U("<#p name=①>"), {{U("①"), "C"}}, U("C\r\n"), {}},
        {"name outside the code page looks up \"?\"",
         U("<#p name=😀>"),
         {{U("😀"), "E"}, {"?", "Q"}},
         U("Q\r\n"),
         {}},
        // URL errors, in any parameter
        {"value ending in %", U("<#p name=abc%>"), Title, {}, ShortPercent(9)},
        {"% and one character", U("<#p name=%4>"), Title, {}, ShortPercent(6)},
        {"offset counts Shift_JIS bytes", U("<#p name=日本%>"), Title, {}, ShortPercent(10)},
        {"% and non-hex letters", U("<#p name=%zz>"), Title, {}, BadPercent("%zz", 6)},
        {"% and a Japanese character", U("<#p name=%あ>"), Title, {}, BadPercent("%あ", 6)},
        {"bad % in another parameter", U("<#p name=title x=%>"), Title, {}, ShortPercent(3)},
        {"bad %XX in another parameter",
         U("<#p x=%g1 name=title>"),
         Title,
         {},
         BadPercent("%g1", 3)},
        {"bad % in another tag's parameter", U("<#q x=%>"), Title, {}, ShortPercent(3)},
        // text outside tags
        {"two \"<\" before \"#\"", U("<<#p name=title>"), Title, U("<<#p name=title>\r\n"), {}},
        {"\"<\", space, letter", U("a < b"), Title, U("a <b\r\n"), {}},
        {"\"<\" at the very end", U("a <"), Title, U("a <"), {}},
        {"tag in a double-quoted attribute",
         U("<a href=\"<#p name=url>\">"),
         {{"url", "x.html"}},
         U("<a href=\"x.html\">\r\n"),
         {}},
        {"replacement holding a tag stays literal",
         U("<#p name=title>"),
         {{"title", "<#p name=title>"}},
         U("<#p name=title>\r\n"),
         {}},
        {"Japanese text",
         U("日本語<#p name=title>です"),
         {{"title", U("こんにちは")}},
         U("日本語こんにちはです\r\n"),
         {}},
        // line breaks
        {"LF", U("a\nb"), {}, U("a\r\nb\r\n"), {}},
        {"lone CR", U("a\rb"), {}, U("a\r\nb\r\n"), {}},
        {"CR LF and a final break", U("a\r\nb\r\n"), {}, U("a\r\nb\r\n"), {}},
        {"LF CR is two breaks", U("a\n\rb"), {}, U("a\r\n\r\nb\r\n"), {}},
        {"empty template", U(""), Title, U(""), {}},
        {"U+0000 ends the text", U("a") + QChar(0) + U("b<#p name=%>"), {}, U("a\r\n"), {}},
        // line length
        {"4093 ASCII bytes", a4093, {}, a4093 + U("\r\n"), {}},
        {"4094 ASCII bytes", a4094, {}, {}, LineTooLong(1)},
        {"4094 bytes with a break", a4094 + U("\n"), {}, {}, LineTooLong(1)},
        {"4092 bytes of Japanese", kana1364 + U("\n"), {}, kana1364 + U("\r\n"), {}},
        {"4095 bytes of Japanese", kana1364 + U("あ"), {}, {}, LineTooLong(1)},
        {"1400 Japanese characters", U("あ").repeated(1400), {}, {}, LineTooLong(1)},
        {"overlong second line", U("short\n") + a4094, {}, {}, LineTooLong(2)},
        {"every kind of break counts", U("a\nb\rc\r\n\n") + a4094, {}, {}, LineTooLong(5)},
        {"breaks inside a tag count", U("<#p\nname=title\n>\n") + a4094, Title, {}, LineTooLong(4)},
        {"full lines around the long one",
         a4093 + U("\n") + a4094 + U("\n") + a4093,
         {},
         {},
         LineTooLong(2)},
        {"earlier URL error comes first", U("<#p name=%>\n") + a4094, {}, {}, ShortPercent(6)},
        {"earlier long line comes first", a4094 + U("\n<#p name=%>"), {}, {}, LineTooLong(1)},
    };
}

TEST(THtmlFileMaker, ExpandsTemplates) {
    for (const TPageCase& c : PageCases()) {
        TOutputDataMap outputs;
        for (const auto& [name, text] : c.Outputs) {
            outputs.Insert(name, TOutputData{text, {}, {}});
        }
        try {
            const QString page = THtmlFileMaker::MakeHtml(outputs, c.Template);
            EXPECT_TRUE(c.Error.isEmpty()) << c.Label << ": no error, page " << page.toStdString();
            EXPECT_EQ(page, c.Page) << c.Label;
            EXPECT_EQ(THtmlFileMaker(outputs).MakeUtf8(c.Template.toUtf8()), c.Page.toUtf8())
                << c.Label;
        } catch (const TError& e) {
            EXPECT_EQ(e.Message(), c.Error) << c.Label;
        }
    }
}

TEST(THtmlFileMaker, WritesTheTextOfImageEntries) {
    TOutputDataMap outputs;
    outputs.Insert("photo", TOutputData{"photo.jpg", "photo.jpg", "AAAA"});
    EXPECT_EQ(THtmlFileMaker::MakeHtml(outputs, "<img src=\"<#p name=photo>\">"),
              "<img src=\"photo.jpg\">\r\n");
}

}  // namespace
