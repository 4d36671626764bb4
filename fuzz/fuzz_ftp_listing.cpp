// The listing parser and the listing entries of the folder browser on arbitrary listings.
#include "TFtpItem.h"
#include "TFtpListParser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray listing(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QDateTime now(QDate(2026, 12, 10), QTime(12, 0));
    std::vector<TFtpItem> items = MakeFtpItems(TFtpListParser::Parse(listing, now));
    for (int key = 0; key < 4; ++key) {
        SortFtpItems(items, key);
        for (const TFtpItem& item : items)
            (void)DisplayItemTexts(item);
    }
    return 0;
}
