#pragma once
// The preview command: checks that a template is chosen and that every entry passes, makes
// the page into a fresh temporary folder and shows it in the HTML preview window. The folder
// and everything else the command makes are gone when it returns, also after an error.

class QWidget;
class TFrameInputItemList;
class TProject;

class TPreviewCommand {
public:
    // `templateIndex` is the project's template index, -1 when none is chosen. The two
    // checks are reported in warning boxes; any other error leaves as TError once the
    // folder is removed.
    static void Execute(QWidget* owner, int templateIndex, const TFrameInputItemList& pane,
                        TProject& project);
};
