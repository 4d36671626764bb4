#pragma once
// The help topics of the dialogs by context number, and the one way their help buttons open
// the help window at them.

class QAbstractButton;

class THelpTopic {
public:
    static constexpr int InputItemEdit = 11;
    static constexpr int InputItemMemo = 12;
    static constexpr int InputItemDate = 13;
    static constexpr int InputItemCombobox = 14;
    static constexpr int InputItemImage = 15;
    static constexpr int InputItemComboboxItem = 16;
    static constexpr int TemplateEdit = 17;

    // Clicking the button opens the help window at the topic.
    static void Connect(QAbstractButton* button, int context);
};
