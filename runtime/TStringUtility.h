#pragma once
// HTML escaping of entered text, and the one-line Base64-of-UTF-8 form in which the project
// file keeps multi-line texts.

#include <QAnyStringView>
#include <QString>

class TStringUtility {
public:
    // "&", the double quote, "<" and ">" become entities; the apostrophe stays.
    static QString EscapeHtml(const QString& text);
    static QString EncodeUtf8Base64(const QString& text);
    static QString DecodeUtf8Base64(QAnyStringView base64);
};
