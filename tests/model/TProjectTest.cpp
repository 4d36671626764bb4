#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <sys/resource.h>

#include <csignal>

#include "TError.h"
#include "TInputComboBox.h"
#include "TInputDateTime.h"
#include "TInputEdit.h"
#include "TInputImage.h"
#include "TInputMemo.h"
#include "TMemIniFile.h"
#include "TProject.h"
#include "TStringUtility.h"
#include "TTestSupport.h"

using testsupport::ReadFile;
using testsupport::TScratchDir;
using testsupport::WriteFile;

namespace {

template <typename T>
T* As(TProject& p, int i) {
    return dynamic_cast<T*>(p.GetInputItem(i));
}

// One project with every kind and the awkward values: Japanese, blanks, CR LF, choices.
void FillFullProject(TProject& p) {
    auto edit = std::make_unique<TInputEdit>();
    edit->SetName("title");
    edit->SetCaption("題名");
    edit->BlankValue = "<b>無題</b>";
    edit->AllowHtmlTag = true;
    edit->MaxLength = 40;
    edit->Required = true;
    edit->NumbersOnly = true;
    p.InputItems.Add(std::move(edit));

    auto memo = std::make_unique<TInputMemo>();
    memo->SetName("本文");
    memo->SetCaption("本文の欄");
    memo->BlankValue = "  一行目\r\n二行目  \r\n";
    memo->MaxLength = -3;
    memo->ConvertBr = true;
    p.InputItems.Add(std::move(memo));

    auto date = std::make_unique<TInputDateTime>();
    date->SetName("date");
    date->SetCaption("日付");
    date->Format = "yyyy'年'm'月'd'日' hh:nn";
    date->SetKind(2);
    p.InputItems.Add(std::move(date));

    auto combo = std::make_unique<TInputComboBox>();
    combo->SetName("color");
    combo->SetCaption("色");
    combo->AddItem("赤", "#f00");
    combo->AddItem("", "");
    combo->AddItem("青 blue", "<span>青</span>");
    p.InputItems.Add(std::move(combo));

    auto image = std::make_unique<TInputImage>();
    image->SetName("photo");
    image->SetCaption("写真");
    image->MaxImageWidth = 640;
    image->MaxImageHeight = 480;
    image->ZoomOutImage = true;
    p.InputItems.Add(std::move(image));

    p.HtmlTemplates.Add(std::make_unique<THtmlTemplate>(
        "ページ", 1, "<html>\r\n<#p name=title>\r\n  <p>日本語</p>\r\n</html>\r\n"));
    p.HtmlTemplates.Add(std::make_unique<THtmlTemplate>("euc", 2, "x"));
    p.FtpConfig =
        TFtpConfig{true, "ftp.example.jp", "ユーザー", "p=ss word", "/www", "/www/img", 2121};
}

class TProjectTest : public testing::Test {
protected:
    TScratchDir FDir;
};

TEST_F(TProjectTest, ExampleFileMatchesTheLayoutByteForByte) {
    TProject p;
    auto edit = std::make_unique<TInputEdit>();
    edit->SetName("title");
    edit->SetCaption("Title");
    edit->Required = true;
    p.InputItems.Add(std::move(edit));
    p.HtmlTemplates.Add(std::make_unique<THtmlTemplate>("page", 0, "<p>x</p>"));
    const QString path = FDir.File("example.PT");
    p.SaveToFile(path);
    const QByteArray expected =
        "[InputItem]\r\nCount=1\r\n\r\n"
        "[InputItem0]\r\nName=title\r\nCaption=Title\r\nInputType=0\r\nBlankValue=\r\n"
        "AllowHtmlTag=0\r\nMaxLength=0\r\nRequired=1\r\nNumbersOnly=0\r\n\r\n"
        "[HtmlTemplate]\r\nCount=1\r\n\r\n"
        "[HtmlTemplate_0]\r\nName=page\r\nCharCode=0\r\nHtml=" +
        TStringUtility::EncodeUtf8Base64("<p>x</p>").toLatin1() +
        "\r\n\r\n"
        "[FTP]\r\nIsUse=0\r\nHost=\r\nUser=\r\nPassword=\r\nDirHtml=\r\nDirImage=\r\nPort="
        "21\r\nPassive=0\r\n\r\n";
    EXPECT_EQ(ReadFile(path), expected);
}

TEST_F(TProjectTest, AllFiveKindsSurviveSaveAndLoad) {
    TProject saved;
    FillFullProject(saved);
    const QString path = FDir.File("full.PT");
    saved.SaveToFile(path);

    TProject p;
    p.LoadFromFile(path);
    ASSERT_EQ(p.InputItems.GetCount(), 5);

    const auto* edit = As<TInputEdit>(p, 0);
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->GetName(), QString("title"));
    EXPECT_EQ(edit->GetCaption(), QString("題名"));
    EXPECT_EQ(edit->BlankValue, QString("<b>無題</b>"));
    EXPECT_TRUE(edit->AllowHtmlTag);
    EXPECT_EQ(edit->MaxLength, 40);
    EXPECT_TRUE(edit->Required);
    EXPECT_TRUE(edit->NumbersOnly);

    const auto* memo = As<TInputMemo>(p, 1);
    ASSERT_TRUE(memo);
    EXPECT_EQ(memo->GetName(), QString("本文"));
    EXPECT_EQ(memo->BlankValue, QString("  一行目\r\n二行目  \r\n"));
    EXPECT_EQ(memo->MaxLength, -3);
    EXPECT_FALSE(memo->Required);
    EXPECT_TRUE(memo->ConvertBr);

    const auto* date = As<TInputDateTime>(p, 2);
    ASSERT_TRUE(date);
    EXPECT_EQ(date->Format, QString("yyyy'年'm'月'd'日' hh:nn"));
    EXPECT_EQ(date->GetKind(), 2);

    const auto* combo = As<TInputComboBox>(p, 3);
    ASSERT_TRUE(combo);
    ASSERT_EQ(combo->GetItems().GetCount(), 3);
    EXPECT_EQ(combo->GetItem(0)->Caption, QString("赤"));
    EXPECT_EQ(combo->GetItem(0)->Value, QString("#f00"));
    EXPECT_EQ(combo->GetItem(1)->Caption, QString(""));
    EXPECT_EQ(combo->GetItem(2)->Value, QString("<span>青</span>"));

    const auto* image = As<TInputImage>(p, 4);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->MaxImageWidth, 640);
    EXPECT_EQ(image->MaxImageHeight, 480);
    EXPECT_TRUE(image->ZoomOutImage);

    ASSERT_EQ(p.HtmlTemplates.GetCount(), 2);
    EXPECT_EQ(p.GetHtmlTemplate(0)->Name, QString("ページ"));
    EXPECT_EQ(p.GetHtmlTemplate(0)->GetCharCode(), 1);
    EXPECT_EQ(p.GetHtmlTemplate(0)->Html, saved.GetHtmlTemplate(0)->Html);
    EXPECT_EQ(p.GetHtmlTemplate(1)->GetCharCode(), 2);

    EXPECT_TRUE(p.FtpConfig.IsUse);
    EXPECT_EQ(p.FtpConfig.Host, QString("ftp.example.jp"));
    EXPECT_EQ(p.FtpConfig.User, QString("ユーザー"));
    EXPECT_EQ(p.FtpConfig.Password, QString("p=ss word"));
    EXPECT_EQ(p.FtpConfig.DirHtml, QString("/www"));
    EXPECT_EQ(p.FtpConfig.DirImage, QString("/www/img"));
    EXPECT_EQ(p.FtpConfig.Port, 2121);
}

TEST_F(TProjectTest, OneLineBlankValueAndCaptionLoseTheirBlanks) {
    TProject saved;
    auto edit = std::make_unique<TInputEdit>();
    edit->SetCaption(" lead");
    edit->BlankValue = "  both  ";
    saved.InputItems.Add(std::move(edit));
    const QString path = FDir.File("blanks.PT");
    saved.SaveToFile(path);
    TProject p;
    p.LoadFromFile(path);
    EXPECT_EQ(p.GetInputItem(0)->GetCaption(), QString("lead"));
    EXPECT_EQ(As<TInputEdit>(p, 0)->BlankValue, QString("both"));
}

TEST_F(TProjectTest, LoadingHandlesGapsUnknownKindsAndOddValues) {
    const QString path = FDir.File("odd.PT");
    WriteFile(path,
              "[InputItem]\r\nCount=5\r\n"
              "[inputitem0]\r\nname=a\r\ninputtype=0\r\nAllowHtmlTag=2\r\nRequired=abc\r\n"
              "[InputItem2]\r\nName=b\r\nInputType=7\r\n"
              "[InputItem3]\r\nName=c\r\n"
              "[InputItem4]\r\nName=d\r\nInputType=3\r\nItemCount=3\r\nItemCaption_0=x\r\n"
              "ItemValue_0=1\r\nItemCaption_2=z\r\nItemValue_2=3\r\n"
              "[HtmlTemplate]\r\nCount=4\r\n"
              "[HtmlTemplate_0]\r\nName=first\r\nCharCode=7\r\nHtml=" +
                  TStringUtility::EncodeUtf8Base64("<a>").toLatin1() +
                  "\r\n"
                  "[HtmlTemplate_1]\r\nName=nohtml\r\n"
                  "[HtmlTemplate_2]\r\nName=\r\nHtml=PGE+\r\n"
                  "[HtmlTemplate_3]\r\nName=last\r\nCharCode=2\r\nHtml=PGE+\r\n"
                  "[FTP]\r\nPort=0x50\r\n");
    TProject p;
    p.LoadFromFile(path);
    ASSERT_EQ(p.InputItems.GetCount(), 2);
    const auto* a = As<TInputEdit>(p, 0);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->GetName(), QString("a"));
    EXPECT_TRUE(a->AllowHtmlTag);
    EXPECT_FALSE(a->Required);
    const auto* d = As<TInputComboBox>(p, 1);
    ASSERT_TRUE(d);
    ASSERT_EQ(d->GetItems().GetCount(), 3);
    EXPECT_EQ(d->GetItem(1)->Caption, QString(""));
    EXPECT_EQ(d->GetItem(1)->Value, QString(""));
    EXPECT_EQ(d->GetItem(2)->Caption, QString("z"));
    ASSERT_EQ(p.HtmlTemplates.GetCount(), 2);
    EXPECT_EQ(p.GetHtmlTemplate(0)->Name, QString("first"));
    EXPECT_EQ(p.GetHtmlTemplate(0)->GetCharCode(), 0);
    EXPECT_EQ(p.GetHtmlTemplate(1)->Name, QString("last"));
    EXPECT_EQ(p.FtpConfig.Port, 80);
}

TEST_F(TProjectTest, PortOfAbcAndMissingSectionsGiveDefaults) {
    const QString path = FDir.File("port.PT");
    WriteFile(path, "[FTP]\r\nPort=abc\r\nIsUse=1\r\n");
    TProject p;
    p.LoadFromFile(path);
    EXPECT_EQ(p.FtpConfig.Port, 21);
    EXPECT_TRUE(p.FtpConfig.IsUse);
    EXPECT_FALSE(p.FtpConfig.Passive);
    EXPECT_EQ(p.InputItems.GetCount(), 0);
    TProject missing;
    missing.LoadFromFile(FDir.File("nothing.PT"));
    EXPECT_EQ(missing.InputItems.GetCount(), 0);
    EXPECT_EQ(missing.FtpConfig.Port, 21);
}

TEST_F(TProjectTest, PassiveModeIsStoredAsOneOrZero) {
    const QString path = FDir.File("passive.PT");
    WriteFile(path, "[FTP]\r\nPassive=1\r\n");
    TProject p;
    p.LoadFromFile(path);
    EXPECT_TRUE(p.FtpConfig.Passive);
    const QString saved = FDir.File("saved.PT");
    p.SaveToFile(saved);
    EXPECT_TRUE(ReadFile(saved).contains("\r\nPort=21\r\nPassive=1\r\n"));
    p.FtpConfig.Passive = false;
    p.SaveToFile(saved);
    EXPECT_TRUE(ReadFile(saved).contains("\r\nPassive=0\r\n"));
}

TEST_F(TProjectTest, SavingOverALongerFileMergesIntoIt) {
    const QString path = FDir.File("merge.PT");
    TProject eight;
    for (int i = 0; i < 8; ++i) {
        auto edit = std::make_unique<TInputEdit>();
        edit->SetName(QString("n%1").arg(i));
        eight.InputItems.Add(std::move(edit));
    }
    eight.SaveToFile(path);
    QByteArray bytes = ReadFile(path);
    bytes += "[Mine]\r\nkeep=1\r\n";
    WriteFile(path, bytes);

    TProject five;
    for (int i = 0; i < 5; ++i) {
        auto combo = std::make_unique<TInputComboBox>();
        combo->SetName(QString("c%1").arg(i));
        five.InputItems.Add(std::move(combo));
    }
    five.SaveToFile(path);

    const TMemIniFile ini(path);
    EXPECT_TRUE(ini.SectionExists("InputItem7"));
    EXPECT_EQ(ini.ReadString("Mine", "keep", ""), QString("1"));
    // Keys of the kind the item no longer has stay too; the new kind writes its count only.
    EXPECT_EQ(ini.ReadString("InputItem0", "NumbersOnly", ""), QString("0"));
    EXPECT_EQ(ini.ReadString("InputItem0", "ItemCount", ""), QString("0"));
    EXPECT_EQ(ini.ReadString("InputItem0", "ItemCaption_0", "none"), QString("none"));
    TProject reloaded;
    reloaded.LoadFromFile(path);
    EXPECT_EQ(reloaded.InputItems.GetCount(), 5);
    EXPECT_EQ(reloaded.GetInputItem(4)->GetName(), QString("c4"));
}

TEST_F(TProjectTest, DamagedCountsLoadQuicklyAndInBoundedMemory) {
    const QString path = FDir.File("counts.PT");
    WriteFile(path,
              "[InputItem]\r\nCount=2147483647\r\n"
              "[InputItem0]\r\nInputType=3\r\nItemCount=2000000000\r\nItemCaption_1500=far\r\n"
              "[InputItem9]\r\nInputType=0\r\nName=nine\r\n"
              "[HtmlTemplate]\r\nCount=2147483647\r\n");
    TProject p;
    p.LoadFromFile(path);
    ASSERT_EQ(p.InputItems.GetCount(), 2);
    const auto* combo = As<TInputComboBox>(p, 0);
    ASSERT_TRUE(combo);
    // Up to the last key that exists (1500), then nothing more from the count alone.
    EXPECT_EQ(combo->GetItems().GetCount(), 1501);
    EXPECT_EQ(combo->GetItem(1500)->Caption, QString("far"));
    EXPECT_EQ(p.GetInputItem(1)->GetName(), QString("nine"));
}

TEST_F(TProjectTest, FailedWriteKeepsTheOldFileAndLeavesNoTemporaryFile) {
    const QString path = FDir.File("keep.PT");
    TProject small;
    small.FtpConfig.Host = "old";
    small.SaveToFile(path);
    const QByteArray before = ReadFile(path);

    TProject big;
    big.HtmlTemplates.Add(std::make_unique<THtmlTemplate>("t", 0, QString(200000, u'x')));
    // A file-size limit makes the write fail part-way, even for root.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit limit = old;
    limit.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_THROW(big.SaveToFile(path), TError);
    setrlimit(RLIMIT_FSIZE, &old);

    EXPECT_EQ(ReadFile(path), before);
    EXPECT_EQ(QDir(FDir.Path()).entryList(QDir::Files | QDir::Hidden), QStringList({"keep.PT"}));
}

TEST_F(TProjectTest, SaveWritesThroughALinkAndKeepsPermissions) {
    const QString target = FDir.File("real.PT");
    const QString link = FDir.File("link.PT");
    TProject p;
    p.SaveToFile(target);
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    ASSERT_TRUE(QFile::link(target, link));
    p.FtpConfig.Host = "through";
    p.SaveToFile(link);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(ReadFile(target).contains("Host=through"));
    // The owner's bits, as seen by the owner, and the group's read bit: mode 0640.
    EXPECT_EQ(QFile::permissions(target) & 0x0FFF,
              QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup);
}

TEST_F(TProjectTest, SaveIntoAMissingFolderIsAnError) {
    TProject p;
    EXPECT_THROW(p.SaveToFile(FDir.File("no/such/folder/x.PT")), TError);
}

TEST_F(TProjectTest, ReplaceDestroysTheOldEntry) {
    TProject p;
    FillFullProject(p);
    auto edit = std::make_unique<TInputEdit>();
    edit->SetName("new");
    p.ReplaceInputItem(3, std::move(edit));
    EXPECT_EQ(p.GetInputItem(3)->GetName(), QString("new"));
    p.ReplaceHtmlTemplate(1, std::make_unique<THtmlTemplate>("n", 5, "h"));
    EXPECT_EQ(p.GetHtmlTemplate(1)->GetCharCode(), 0);
}

}  // namespace
