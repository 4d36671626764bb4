// Template expansion on arbitrary templates: the first byte picks how many of a fixed set of
// output entries exist, the rest is the template.
#include "TError.h"
#include "THtmlFileMaker.h"
#include "TOutputData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    TOutputDataMap map;
    const char* names[] = {"title", "name", "p", "?", "日本", "a b", "<#p name=x>", ""};
    for (int i = 0; i < (data[0] & 7); ++i) {
        map.Insert(QString::fromUtf8(names[i]), {QStringLiteral("<#p name=title>値"), {}, {}});
    }
    const QByteArray text(reinterpret_cast<const char*>(data + 1),
                          static_cast<qsizetype>(size - 1));
    try {
        (void)THtmlFileMaker::MakeHtml(map, QString::fromUtf8(text));
        (void)THtmlFileMaker(map).MakeUtf8(text);
    } catch (const TError&) {
    }
    return 0;
}
