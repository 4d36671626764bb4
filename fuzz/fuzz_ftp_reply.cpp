// The reply rules (single and multi-line, length bounds) and the path of a 257 reply on
// arbitrary server output, cut into lines as the reader cuts it.
#include <QList>

#include "TError.h"
#include "TFtpReply.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        TFtpReplyAssembler assembler;
        for (QByteArray line : bytes.split('\n')) {
            if (line.size() > TFtpReplyReader::MaxLineBytes)
                return 0;  // the reader refuses it
            if (line.endsWith('\r'))
                line.chop(1);
            if (assembler.AddLine(line)) {
                (void)QuotedPath(assembler.Reply().Bytes);
                assembler = TFtpReplyAssembler();
            }
        }
    } catch (const TError&) {
    }
    return 0;
}
