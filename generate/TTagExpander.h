#pragma once
// Scans an HTML text for tags opened by "<#", hands each tag's name and parameters to a
// handler and writes the handler's replacement in the tag's place; other text is copied.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

class TTagExpander {
public:
    // Called once per tag in document order; `replacement` is empty on entry and whatever
    // the handler leaves in it takes the tag's place.
    using TOnTag = std::function<void(const QString& tagName, const QStringList& params,
                                      QString& replacement)>;

    // Line breaks come out as CR LF; throws TError for an overlong line or a malformed
    // URL-encoded parameter, and then no page at all is returned.
    static QString Expand(const QString& text, const TOnTag& onTag);
    // The same on UTF-8 bytes, so that a large page needs no UTF-16 copy.
    static QByteArray ExpandUtf8(const QByteArray& text, const TOnTag& onTag);

    // A line may hold this many bytes of UTF-8 before its CR LF.
    static constexpr qsizetype MaxLineBytes = 4093;
};
