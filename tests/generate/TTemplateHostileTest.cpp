// Templates come from project files that travel between people: very large ones and broken
// tags must end in a clear result.
#include <gtest/gtest.h>

#include "TError.h"
#include "THtmlFileMaker.h"
#include "TOutputData.h"
#include "TTestSupport.h"

namespace {

TOutputDataMap TitleMap() {
    TOutputDataMap map;
    map.Insert("title", {"T", {}, {}});
    return map;
}

TEST(TTemplateHostile, HundredMegabyteTemplateExpands) {
    QByteArray line = QByteArray(1000, 'x') + "<#p name=title>\r\n";
    QByteArray text;
    text.reserve(100 * 1024 * 1024 + line.size());
    while (text.size() < 100 * 1024 * 1024)
        text += line;
    const QByteArray page = THtmlFileMaker(TitleMap()).MakeUtf8(text);
    const qsizetype lines = text.count('\n');
    // Each tag of 15 bytes becomes the one-byte value.
    EXPECT_EQ(page.size(), text.size() - lines * 14);
    EXPECT_TRUE(page.endsWith(QByteArray(1000, 'x') + "T\r\n"));
}

TEST(TTemplateHostile, TagThatNeverClosesSwallowsTheRest) {
    const TOutputDataMap map = TitleMap();
    EXPECT_EQ(THtmlFileMaker::MakeHtml(map, "before <#p name=title rest of\nthe page"),
              QString("before T"));
    // A quote that never closes keeps every later ">" inside the tag.
    EXPECT_EQ(THtmlFileMaker::MakeHtml(map, "a<#p name=title \"> <b>bold</b>\nend"), QString("aT"));
}

TEST(TTemplateHostile, OverlongLineDeepInALargeTemplateNamesItsLine) {
    QByteArray text;
    for (int i = 0; i < 100000; ++i)
        text += "<p><#p name=title></p>\n";
    text += QByteArray(5000, 'y') + "\n";
    try {
        THtmlFileMaker(TitleMap()).MakeUtf8(text);
        ADD_FAILURE() << "no error";
    } catch (const TError& e) {
        EXPECT_EQ(e.Message(), QString("100001 行で 行が長すぎます"));
    }
}

}  // namespace
