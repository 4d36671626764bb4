#include "TStringUtility.h"

#include <type_traits>

#include "TBase64.h"

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
    return QString::fromUtf8(base64.visit([](auto view) {
        using TView = decltype(view);
        if constexpr (std::is_same_v<TView, QStringView>) {
            return TBase64::Decode(view);
        } else if constexpr (std::is_same_v<TView, QLatin1StringView>) {
            return TBase64::Decode(QByteArrayView(view.data(), view.size()));
        } else {
            const QString text = view.toString();
            return TBase64::Decode(QStringView(text));
        }
    }));
}
