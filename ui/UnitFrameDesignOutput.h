#pragma once
// The design tab's output page: the project's FTP settings in a collapsible "FTP" section.
// Controls and project are exchanged only when a project is loaded and when it is saved.

#include <QWidget>
#include <functional>
#include <memory>

namespace Ui {
class TFrameDesignOutput;
}
class TProject;

class TFrameDesignOutput : public QWidget {
    Q_OBJECT

public:
    // Gives the project open now: the owner replaces the project as a whole on New and Open.
    using TProjectSource = std::function<TProject&()>;

    TFrameDesignOutput(QWidget* parent, TProjectSource project);
    ~TFrameDesignOutput() override;

    // Controls from the project's FTP settings, then the enabling rule.
    void LoadFtpControls();
    // The project's FTP settings from the controls; a port that is not a number becomes 21.
    void StoreFtpControls();

public Q_SLOTS:
    // Host, user, password and both folders are usable only with FTP in use; the port and
    // "接続" always are.
    void CheckBoxFtpUseClick();
    void ActionOutputFtpConnectExecute();

private:
    void ShowFtpSection(bool shown);

    std::unique_ptr<Ui::TFrameDesignOutput> FUi;
    TProjectSource FProject;
};
