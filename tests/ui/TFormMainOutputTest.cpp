// The output tab of the main window: the project's FTP settings shown and stored, the port
// that falls back to 21, the enabling rule of "FTPを使用する", the masked password.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QToolButton>

#include "TMainWindowFixture.h"
#include "TProject.h"
#include "TWidgetDriving.h"

using testsupport::Child;
using testsupport::Click;
using testsupport::SetText;

namespace {

const char* const UseDependent[] = {"EditFtpHost", "EditFtpUser", "EditFtpPassword",
                                    "EditFtpDirHtml", "EditFtpDirImage"};

class TFormMainOutputTest : public testsupport::TMainWindowFixture {
protected:
    QString Text(const char* box) { return Child<QLineEdit>(Window(), box)->text(); }
    bool Enabled(const char* name) { return Child<QWidget>(Window(), name)->isEnabled(); }

    QString SavedProject(const TFtpConfig& ftp) {
        TProject project;
        project.FtpConfig = ftp;
        const QString path = Scratch.File(QStringLiteral("ftp.PT"));
        project.SaveToFile(path);
        return path;
    }
    TFtpConfig SaveAsAndRead(const QString& fileName) {
        const QString path = Scratch.File(fileName);
        Script.AnswerFile(path);
        Trigger("ActionFileSaveAs");
        TProject project;
        project.LoadFromFile(path);
        return project.FtpConfig;
    }
};

}  // namespace

TEST_F(TFormMainOutputTest, OpeningShowsTheSettingsAndAppliesTheEnablingRule) {
    TFtpConfig ftp;
    ftp.IsUse = false;
    ftp.Host = QStringLiteral("ftp.example.jp");
    ftp.User = QStringLiteral("利用者");
    ftp.Password = QStringLiteral("pw1");
    ftp.DirHtml = QStringLiteral("/www");
    ftp.DirImage = QStringLiteral("/www/画像");
    ftp.Port = 2121;
    StartWindow();
    Window().OpenProjectFile(SavedProject(ftp));
    EXPECT_FALSE(Child<QCheckBox>(Window(), "CheckBoxFtpUse")->isChecked());
    EXPECT_EQ(Text("EditFtpHost"), ftp.Host);
    EXPECT_EQ(Text("EditFtpUser"), ftp.User);
    EXPECT_EQ(Text("EditFtpPassword"), ftp.Password);
    EXPECT_EQ(Child<QLineEdit>(Window(), "EditFtpPassword")->displayText(), u"***");
    EXPECT_EQ(Text("EditFtpDirHtml"), ftp.DirHtml);
    EXPECT_EQ(Text("EditFtpDirImage"), ftp.DirImage);
    EXPECT_EQ(Text("EditFtpPort"), u"2121");

    for (const bool ticked : {false, true, false}) {
        if (ticked != Child<QCheckBox>(Window(), "CheckBoxFtpUse")->isChecked())
            Click(Window(), "CheckBoxFtpUse");
        for (const char* box : UseDependent)
            EXPECT_EQ(Enabled(box), ticked) << box;
        EXPECT_TRUE(Enabled("EditFtpPort"));
        EXPECT_TRUE(Enabled("BtnOutputFtpConnect"));
    }
    EXPECT_EQ(Child<QAbstractButton>(Window(), "BtnOutputFtpConnect")->text(), u"接続");
}

TEST_F(TFormMainOutputTest, SavingTakesTheBoxesAsTypedAndAPortThatIsNoNumberAs21) {
    StartWindow();
    EXPECT_EQ(Text("EditFtpPort"), u"21");
    Click(Window(), "CheckBoxFtpUse");
    SetText(Window(), "EditFtpHost", " host ");
    SetText(Window(), "EditFtpPort", "8021");
    TFtpConfig stored = SaveAsAndRead(QStringLiteral("a.PT"));
    EXPECT_TRUE(stored.IsUse);
    EXPECT_EQ(stored.Host, u"host");  // the file keeps no blanks around a value
    EXPECT_EQ(stored.Port, 8021);

    SetText(Window(), "EditFtpPort", "");
    EXPECT_EQ(SaveAsAndRead(QStringLiteral("b.PT")).Port, 21);
    EXPECT_EQ(Window().Project().FtpConfig.Port, 21);
    SetText(Window(), "EditFtpPort", "x1");
    EXPECT_EQ(SaveAsAndRead(QStringLiteral("c.PT")).Port, 21);

    Trigger("ActionFileNew");
    EXPECT_EQ(Text("EditFtpHost"), u"");
    Window().OpenProjectFile(Scratch.File(QStringLiteral("b.PT")));
    EXPECT_EQ(Text("EditFtpPort"), u"21");
    EXPECT_EQ(Text("EditFtpHost"), u"host");
}

TEST_F(TFormMainOutputTest, FtpSectionFoldsAway) {
    StartWindow();
    Window().show();
    auto* header = Child<QToolButton>(Window(), "ButtonFtpSection");
    EXPECT_EQ(header->text(), u"FTP");
    auto* panel = Child<QWidget>(Window(), "PanelFtp");
    Child<QTabWidget>(Window(), "PageControlConfig")->setCurrentIndex(2);
    EXPECT_TRUE(panel->isVisible());
    header->click();
    EXPECT_FALSE(panel->isVisible());
    header->click();
    EXPECT_TRUE(panel->isVisible());
}
