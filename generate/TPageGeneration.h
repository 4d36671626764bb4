#pragma once
// The page generation run: from a template and the entered values, the finished page text,
// the code page it is written in and the picture files it refers to. No window involved.

#include <QString>
#include <QStringList>
#include <cstdint>

struct THtmlTemplate;
class TInputDataMap;

struct TGeneratedPage {
    QString Text;
    uint16_t CodePage = 65001;
    QStringList Pictures;  // full paths in `folder`, in ascending tag-name order
};

// Converts every value, expands the template, then writes the pictures into `folder` (which
// ends with the separator). Throws TError with its message when a step fails.
TGeneratedPage GeneratePage(const THtmlTemplate& htmlTemplate, const TInputDataMap& values,
                            const QString& folder);
