#pragma once
// The one way the windows show their own modal dialogs. Tests install an answerer that works
// the dialog as a person would (fills boxes, presses its buttons) and gives its result, so no
// modal loop waits for a click.

#include <functional>

class QDialog;

class TDialogRunner {
public:
    // Gets the dialog after the caller filled it; returns the dialog's result.
    using TAnswerer = std::function<int(QDialog&)>;

    // Shows the dialog modally and returns its result (QDialog::Accepted or Rejected).
    static int ShowModal(QDialog& dialog);

    // While an answerer is set, dialogs go to it instead of the screen. Pass an empty
    // function to show real dialogs again.
    static void SetTestAnswerer(TAnswerer answerer);
};
