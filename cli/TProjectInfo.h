#pragma once
// The project as loaded, as JSON: items with every field of their kind, templates and the
// FTP settings (the password only as whether one is set).

#include <QJsonObject>

class TProject;

QJsonObject ProjectToJson(const TProject& project);
