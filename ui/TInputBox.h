#pragma once
// The one-line input box: a caption, a prompt and an initial text; OK gives the text (also
// when empty), Cancel gives nothing. Tests install an answerer instead of a dialog.

#include <QString>
#include <functional>
#include <optional>

class QWidget;

class TInputBox {
public:
    struct TRequest {
        QString Caption;
        QString Prompt;
        QString InitialText;
    };
    using TAnswerer = std::function<std::optional<QString>(const TRequest&)>;

    static std::optional<QString> GetText(QWidget* parent, const QString& caption,
                                          const QString& prompt, const QString& initialText = {});

    static void SetTestAnswerer(TAnswerer answerer);
};
