#include "TStringUtility.h"

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

QString TStringUtility::DecodeUtf8Base64(const QString& base64) {
    return QString::fromUtf8(TBase64::Decode(base64.toLatin1()));
}
