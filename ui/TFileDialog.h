#pragma once
// The one way the windows ask for file names: open and save dialogs with filters written
// as "description|pattern|description|pattern", a default extension, and (save) a question
// before an existing file is replaced. Tests install an answerer instead of a dialog.

#include <QString>
#include <functional>
#include <optional>

class QWidget;

class TFileDialog {
public:
    enum class TMode { Open, Save };

    struct TRequest {
        TMode Mode;
        QString Filter;            // "description|pattern|…"
        QString DefaultExtension;  // with or without the leading "."
        QString InitialPath;       // folder or file name shown first; may be empty
    };
    // Returns the chosen path, or nothing when the user cancels.
    using TAnswerer = std::function<std::optional<QString>(const TRequest&)>;

    static std::optional<QString> GetOpenFileName(QWidget* parent, const QString& filter,
                                                  const QString& defaultExtension,
                                                  const QString& initialPath = {});
    static std::optional<QString> GetSaveFileName(QWidget* parent, const QString& filter,
                                                  const QString& defaultExtension,
                                                  const QString& initialPath = {});
    static std::optional<QString> Show(QWidget* parent, const TRequest& request);

    // "説明|*.PT|すべて|*.*" -> the name filters a Qt dialog shows, "説明 (*.PT)" and so on.
    static QStringList NameFilters(const QString& filter);

    static void SetTestAnswerer(TAnswerer answerer);
};
