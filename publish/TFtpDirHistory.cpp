#include "TFtpDirHistory.h"

#include <algorithm>

qsizetype TFtpDirHistory::Add(QStringList& history, const QString& path) {
    const auto old = std::find_if(history.begin(), history.end(), [&](const QString& entry) {
        return entry.compare(path, Qt::CaseInsensitive) == 0;
    });
    if (old != history.end())
        history.erase(old);
    history.append(path);
    return history.size() - 1;
}
