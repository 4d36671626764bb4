#pragma once
// The values a script gives for a project's items (a JSON object keyed by tag name), turned
// into one entered value per item, as the input frames would have made them.

#include <QJsonObject>
#include <QString>
#include <memory>
#include <vector>

class TInputData;
class TProject;

struct TEnteredValues {
    // Reads and parses VALUES.json; throws TCliError (status 1) when it cannot.
    static QJsonObject ReadFile(const QString& path);
    // One value per item, in item order. An item without a value gets what its frame starts
    // with. Relative picture paths are taken from `baseDir`. Throws TCliError (status 1) for a
    // value of the wrong form.
    static std::vector<std::unique_ptr<TInputData>> Make(const TProject& project,
                                                         const QJsonObject& values,
                                                         const QString& baseDir);
};
