#pragma once
// The one way the windows show message boxes: the kinds and Japanese button texts of the
// program. Tests install an answerer so that no box is shown and nothing waits for a click.

#include <QString>
#include <functional>

class QWidget;

class TMessageBox {
public:
    // Warning: caption "警告", warning icon. Confirmation: caption "確認", question icon.
    // Error: the application title as caption, error icon.
    enum class TKind { Warning, Confirmation, Error };
    enum class TButtons { Ok, YesNoCancel };
    enum class TAnswer { Ok, Yes, No, Cancel };

    struct TRequest {
        TKind Kind;
        TButtons Buttons;
        QString Caption;
        QString Text;
    };
    using TAnswerer = std::function<TAnswer(const TRequest&)>;

    // A warning with one "OK" button.
    static void Warning(QWidget* parent, const QString& text);
    // A question with "はい(&Y)", "いいえ(&N)" and "キャンセル"; only Yes proceeds.
    static TAnswer Confirm(QWidget* parent, const QString& text);
    // A warning that asks Yes, No or Cancel (go on after an error).
    static TAnswer WarningYesNoCancel(QWidget* parent, const QString& text);
    // An error with one "OK" button under the application title.
    static void Error(QWidget* parent, const QString& text);

    static TAnswer Show(QWidget* parent, const TRequest& request);

    // While an answerer is set, requests go to it instead of the screen. Pass an empty
    // function to show real boxes again.
    static void SetTestAnswerer(TAnswerer answerer);
};
