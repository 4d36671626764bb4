#include <gtest/gtest.h>

#include "TError.h"
#include "TFtpReply.h"
#include "TTestSupport.h"

namespace {

// Feeds lines until the reply is complete; returns the reply and how many lines it took.
std::pair<TFtpReply, int> Assemble(const QList<QByteArray>& lines) {
    TFtpReplyAssembler assembler;
    for (int i = 0; i < lines.size(); ++i) {
        if (assembler.AddLine(lines[i]))
            return {assembler.Reply(), i + 1};
    }
    return {{}, -1};
}

TEST(TFtpReplyAssembler, SingleAndMultiLineReplies) {
    struct TCase {
        QList<QByteArray> Lines;
        int Code;
        int Used;
        const char* Text;
    };
    const TCase cases[] = {
        {{"220 ready"}, 220, 1, "220 ready"},
        {{"230"}, 230, 1, "230"},
        {{"220-hello", "220 done", "331 next"}, 220, 2, "220-hello\n220 done"},
        {{"220-a", " 220 inner", "221 other code", "220"},
         220,
         4,
         "220-a\n 220 inner\n221 other code\n220"},
        {{"211-a", "211-b", "211 c"}, 211, 3, "211-a\n211-b\n211 c"},
        {{"220-open", "never closed"}, 0, -1, ""},
    };
    for (const auto& c : cases) {
        const auto [reply, used] = Assemble(c.Lines);
        EXPECT_EQ(used, c.Used) << c.Lines.first().constData();
        if (used < 0)
            continue;
        EXPECT_EQ(reply.Code, c.Code);
        EXPECT_EQ(reply.Text, QString(c.Text));
    }
}

TEST(TFtpReplyAssembler, RefusesWhatIsNoReply) {
    for (const QByteArray line : {"", "hello", "22 short", "2200 four digits", "abc text"}) {
        TFtpReplyAssembler assembler;
        EXPECT_THROW(assembler.AddLine(line), TError) << line.constData();
    }
    TFtpReplyAssembler growing;
    growing.AddLine("220-start");
    const QByteArray line(60 * 1024, 'x');
    EXPECT_THROW(for (int i = 0; i < 40; ++i) growing.AddLine(line), TError);
}

TEST(TFtpReply, QuotedPathOfA257Reply) {
    const std::pair<const char*, std::optional<QByteArray>> cases[] = {
        {"257 \"/web\" is current", QByteArray("/web")},
        {"257 \"/a\"\"b\" x", QByteArray("/a\"b")},
        {"257 \"\"", QByteArray("")},
        {"257 no quotes", std::nullopt},
        {"257 \"/never closed", std::nullopt},
        {"257 \"/日本\"", QByteArray("/日本")},
        {"257 \"/\x93\xfa\x96\x7b\"", QByteArray("/\x93\xfa\x96\x7b")},  // Shift_JIS, as sent
    };
    for (const auto& [text, path] : cases)
        EXPECT_EQ(QuotedPath(QByteArray(text)), path) << text;
}

}  // namespace
