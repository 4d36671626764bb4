#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <vector>

#include "TCodePage.h"
#include "TError.h"
#include "TTagExpander.h"

namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

struct TTagCall {
    QString Name;
    QStringList Params;
    bool operator==(const TTagCall&) const = default;
};

void PrintTo(const TTagCall& call, std::ostream* os) {
    *os << call.Name.toStdString() << " [" << call.Params.join("|").toStdString() << "]";
}

// Expands `text`, recording every handler call and replacing each tag by "[name]".
std::vector<TTagCall> Calls(const QString& text, QString* page = nullptr) {
    std::vector<TTagCall> calls;
    const QString result = TTagExpander::Expand(
        text, [&calls](const QString& name, const QStringList& params, QString& replacement) {
            EXPECT_TRUE(replacement.isEmpty());
            calls.push_back({name, params});
            replacement = "[" + name + "]";
        });
    if (page) {
        *page = result;
    }
    return calls;
}

struct TSplitCase {
    const char* Template;
    QString Name;
    QStringList Params;
};

TEST(TTagExpander, SplitsParameters) {
    const TSplitCase cases[] = {
        {"<#p name=title>", "p", {"name=title"}},
        {"<#x  a=1   b=2 >", "x", {"a=1", "b=2"}},
        {"<#p\ta=1\tb=2\t>", "p", {"a=1\tb=2"}},  // tabs are trimmed, not separators
        {"<#p a=1\nb=2\rc=3>", "p", {"a=1", "b=2", "c=3"}},
        {"<#p \"a b\" c>", "p", {"a b", "c"}},
        {"<#p \"a b\"c>", "p", {"a b", "c"}},
        {"<#p x=\"a b\"c d>", "p", {"x=a b", "d"}},  // the character after the run is lost
        {"<#p x=\"a\nb\">", "p", {"x=a\r\nb"}},      // line breaks in a run come as CR LF
        {"<#p x=\"a b>", "p", {"x=a b>"}},           // unclosed run
        {"<#p \"\" '' x>", "p", {"", "x"}},          // only fields empty before unquoting go
        {"<#p a=\"it's\">", "p", {"a=it's"}},
        {"<#p a=\"b'c'd\">", "p", {"a=b'c'd"}},
        {"<#p x='a'b'' >", "p", {"x=ab"}},
        {"<#p a='say \"hi\"'>", "p", {"a=say", "hi", ""}},
        {"<#p a=%41+%42 na%6De=x>", "p", {"a=A B", "name=x"}},
        {"<#p a=<#q>", "p", {"a=<#q"}},
        {"<#>x>", ">", {"x"}},
        {"<#", "", {}},
        // A multi-byte character is one token per byte: the name gets its first byte only.
        {"<#日本 a=1>", QString(QChar::ReplacementCharacter), {U("??本"), "a=1"}},
    };
    for (const TSplitCase& c : cases) {
        const auto calls = Calls(U(c.Template));
        ASSERT_EQ(calls.size(), 1u) << c.Template;
        EXPECT_EQ(calls[0], (TTagCall{c.Name, c.Params})) << c.Template;
    }
}

TEST(TTagExpander, CallsTheHandlerInDocumentOrderWithoutRescanning) {
    QString page;
    const auto calls = Calls("<#a x=1>-< # b>-<<#c>", &page);
    EXPECT_EQ(calls, (std::vector<TTagCall>{{"a", {"x=1"}}, {"b", {}}}));
    EXPECT_EQ(page, "[a]-[b]-<<#c>\r\n");

    const QString nested = TTagExpander::Expand(
        "<#a>", [](const QString&, const QStringList&, QString& r) { r = "<#b>"; });
    EXPECT_EQ(nested, "<#b>\r\n");
}

TEST(TTagExpander, OverlongLineStopsBeforeTheTagsBehindIt) {
    const QString longLine(4094, u'x');
    struct TCase {
        QString Template;
        int Line;
        std::vector<QString> Handled;  // tags handled before the failure
    };
    const TCase cases[] = {
        {"<#a>\n" + longLine + "<#b>", 2, {"a"}},
        {"<#a\n" + longLine + ">", 2, {}},  // the tag runs into the long line
        {"<#a x=\"\n\n" + longLine + "\">", 3, {}},
        {"< \n" + longLine, 2, {}},
        {"<#a>\n<#\n" + longLine, 3, {"a"}},
    };
    for (const TCase& c : cases) {
        std::vector<QString> handled;
        try {
            TTagExpander::Expand(c.Template, [&handled](const QString& name, const QStringList&,
                                                        QString&) { handled.push_back(name); });
            ADD_FAILURE() << "no error for line " << c.Line;
        } catch (const TError& e) {
            EXPECT_EQ(e.Message(), QString::number(c.Line) + U(" 行で 行が長すぎます"));
        }
        EXPECT_EQ(handled, c.Handled) << c.Line;
    }
}

// The line limit is checked in strides, not line by line; compare it with a plain reading
// of lines around the limit, with every kind of line break.
TEST(TTagExpander, LineLimitMatchesLineByLineReading) {
    const int lengths[] = {0, 1, 70, 2046, 4092, 4093, 4094, 5000};
    const char* const breaks[] = {"\n", "\r", "\r\n"};
    std::mt19937 random(20261210);
    int failures = 0;
    for (int round = 0; round < 300; ++round) {
        QByteArray text;
        QByteArray page;
        int longLine = 0;
        const int lineCount = 1 + static_cast<int>(random() % 8);
        for (int line = 1; line <= lineCount; ++line) {
            const int length = lengths[random() % std::size(lengths)];
            const bool lastWithoutBreak = line == lineCount && random() % 2 == 0;
            if (length == 0 && lastWithoutBreak) {
                break;  // no line at all
            }
            if (length > TTagExpander::MaxLineBytes && longLine == 0) {
                longLine = line;
            }
            text += QByteArray(length, 'a');
            page += QByteArray(length, 'a') + "\r\n";
            // An empty line's own break must not join a CR before it into one CR LF.
            if (!lastWithoutBreak) {
                text += length == 0 ? "\r\n" : breaks[random() % std::size(breaks)];
            }
        }
        try {
            EXPECT_EQ(TTagExpander::ExpandUtf8(text, {}), page) << round;
            EXPECT_EQ(longLine, 0) << round;
        } catch (const TError& e) {
            EXPECT_EQ(e.Message(), QString::number(longLine) + U(" 行で 行が長すぎます")) << round;
            ++failures;
        }
    }
    EXPECT_GT(failures, 30);
    EXPECT_LT(failures, 270);
}

TEST(TTagExpander, Utf8FormPassesBytesThrough) {
    const QByteArray page = TTagExpander::ExpandUtf8(
        "\xff<#p>\xfe\n", [](const QString&, const QStringList&, QString& r) { r = U("é"); });
    EXPECT_EQ(page, QByteArray("\xff\xc3\xa9\xfe\r\n"));
    EXPECT_EQ(TTagExpander::ExpandUtf8({}, {}), QByteArray());
}

// Parameters made only of ASCII skip the code-page converter; that is sound only while the
// 8-bit code page maps ASCII to itself.
TEST(TTagExpander, AnsiCodePageKeepsAscii) {
    QByteArray ascii;
    for (int c = 1; c < 0x80; ++c) {
        ascii.append(static_cast<char>(c));
    }
    EXPECT_EQ(TCodePage::Encode(QString::fromLatin1(ascii), TCodePage::Ansi), ascii);
    EXPECT_EQ(TCodePage::Decode(ascii, TCodePage::Ansi), QString::fromLatin1(ascii));
}

}  // namespace
