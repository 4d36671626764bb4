#include "TStringUtility.h"

#include <QStringDecoder>

#include <type_traits>

#include "TBase64.h"
#include "THugePages.h"

QString TStringUtility::EscapeHtml(const QString& text) {
    QString out = text;
    // "&" first, so the entities inserted afterwards keep their ampersands.
    out.replace(u'&', QStringLiteral("&amp;"));
    out.replace(u'"', QStringLiteral("&quot;"));
    out.replace(u'<', QStringLiteral("&lt;"));
    out.replace(u'>', QStringLiteral("&gt;"));
    return out;
}

QString TStringUtility::EncodeUtf8Base64(const QString& text) {
    return QString::fromLatin1(TBase64::Encode(text.toUtf8()));
}

QString TStringUtility::DecodeUtf8Base64(QAnyStringView base64) {
    // The characters are the bytes; a view of a text or of ASCII bytes is not copied first.
    const QByteArray utf8 = base64.visit([](auto view) {
        using TView = decltype(view);
        if constexpr (std::is_same_v<TView, QStringView>) {
            return TBase64::Decode(view);
        } else if constexpr (std::is_same_v<TView, QLatin1StringView>) {
            return TBase64::Decode(QByteArrayView(view.data(), view.size()));
        } else {
            const QString text = view.toString();
            return TBase64::Decode(QStringView(text));
        }
    });
    // As QString::fromUtf8 (a leading byte-order mark is dropped), into one buffer of at most
    // a code unit per byte.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text(utf8.size(), Qt::Uninitialized);
    THugePages::Advise(text.data(), text.size() * qsizetype{sizeof(QChar)});
    text.truncate(decoder.appendToBuffer(text.data(), utf8) - text.constData());
    return text;
}
