#pragma once
// Turns a template into a finished page: every <#p name=TAGNAME> tag is replaced by the
// output text held under TAGNAME; other tags vanish.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "TOutputData.h"

class THtmlFileMaker {
public:
    // The maker only reads the map, which must outlive it.
    explicit THtmlFileMaker(const TOutputDataMap& outputs) : FOutputs(outputs) {}

    QString Make(const QString& templateText) const;
    // The same on UTF-8 bytes, for large pages read straight from a file.
    QByteArray MakeUtf8(const QByteArray& templateUtf8) const;

    static QString MakeHtml(const TOutputDataMap& outputs, const QString& templateText);

private:
    void OnTag(const QString& tagName, const QStringList& params, QString& replacement) const;

    const TOutputDataMap& FOutputs;
};
