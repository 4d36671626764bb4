// The input pane with its five frames: building and rebuilding, the entered values and their
// checks, and the behaviour of each frame's controls.

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QGroupBox>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

#include "TDialogScript.h"
#include "TError.h"
#include "TInputComboBox.h"
#include "TInputData.h"
#include "TInputDateTime.h"
#include "TInputEdit.h"
#include "TInputImage.h"
#include "TInputItemList.h"
#include "TInputMemo.h"
#include "TTestSupport.h"
#include "UnitFormImagePreview.h"
#include "UnitFrameInputImage.h"
#include "UnitFrameInputItemList.h"

namespace {

template <typename TItem>
TItem& AddItem(TInputItemList& items, const QString& name, const QString& caption) {
    auto item = std::make_unique<TItem>();
    item->SetName(name);
    item->SetCaption(caption);
    TItem& added = *item;
    items.Add(std::move(item));
    return added;
}

class TInputPaneTest : public testing::Test {
protected:
    TInputPaneTest() { Pane.resize(500, 100); }

    // Rebuilds the pane and lays it out as the window would show it.
    void Build() {
        Pane.BuildFrames(Items);
        Pane.show();
        QCoreApplication::processEvents();
    }
    QWidget* Frame(int index) {
        return Pane.findChild<QWidget*>(QStringLiteral("Frame%1").arg(index));
    }
    template <typename T>
    T* Control(int frame, const char* name) {
        return Frame(frame)->findChild<T*>(QString::fromLatin1(name));
    }
    TFrameInputBase& FrameOf(int index) { return *Items.Get(index)->GetFrameInterface(); }
    // The message of the first failing check, "" when all pass.
    QString ValidationMessage() {
        try {
            Pane.ValidateInputs();
            return QString();
        } catch (const TError& e) {
            return e.Message();
        }
    }
    QString EnteredText(const TInputDataMap& map, const QString& name) {
        for (const auto& [key, data] : map) {
            if (key == name)
                return data->CreateOutputData().Text;
        }
        return QStringLiteral("(none)");
    }

    TInputItemList Items;
    TFrameInputItemList Pane{nullptr};
    testsupport::TDialogScript Script;
    testsupport::TScratchDir Dir;
};

TEST_F(TInputPaneTest, FramesStackInItemOrderWithTheirNamesAndCaptions) {
    AddItem<TInputEdit>(Items, "a", "一行&題");
    AddItem<TInputMemo>(Items, "b", "複数行");
    AddItem<TInputDateTime>(Items, "c", "日付");
    AddItem<TInputComboBox>(Items, "d", "分類");
    AddItem<TInputImage>(Items, "e", "写真");
    Build();
    const char* classes[] = {"TFrameInputEdit", "TFrameInputMemo", "TFrameInputDateTime",
                             "TFrameInputComboBox", "TFrameInputImage"};
    const int designHeights[] = {57, 123, 56, 54, 113};
    int bottom = -1;
    int total = 0;
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        QWidget* frame = Frame(i);
        ASSERT_NE(frame, nullptr);
        EXPECT_STREQ(frame->metaObject()->className(), classes[i]);
        EXPECT_EQ(frame->parent(), &Pane);
        EXPECT_GE(frame->height(), designHeights[i]);
        EXPECT_GT(frame->y(), bottom);
        EXPECT_EQ(frame->width(), Pane.width());
        bottom = frame->geometry().bottom();
        total += frame->height();
        EXPECT_EQ(frame->findChild<QGroupBox*>("GroupBox")->title(),
                  QString(Items.Get(i)->GetCaption()).replace("&", "&&"));
        auto* config = frame->findChild<QToolButton*>("BtnConfig");
        EXPECT_EQ(config->accessibleName(), QStringLiteral("設定"));
        EXPECT_EQ(config->size(), QSize(23, 22));
    }
    EXPECT_EQ(Pane.height(), total + 4);  // one pixel between frames
}

TEST_F(TInputPaneTest, AProjectWithoutItemsGivesAnEmptyPaneThatPasses) {
    Build();
    EXPECT_EQ(Pane.height(), 0);
    EXPECT_EQ(Pane.FrameCount(), 0);
    EXPECT_EQ(ValidationMessage(), QString());
    EXPECT_EQ(Pane.CreateInputDataMap().Count(), 0);
}

TEST_F(TInputPaneTest, TheFirstItemOfATagNameWinsAndCaseMatters) {
    AddItem<TInputEdit>(Items, "title", "一つ目");
    AddItem<TInputEdit>(Items, "title", "二つ目");
    AddItem<TInputEdit>(Items, "Title", "大文字");
    Build();
    Control<QLineEdit>(0, "Edit")->setText("first");
    Control<QLineEdit>(1, "Edit")->setText("second");
    Control<QLineEdit>(2, "Edit")->setText("upper");
    const TInputDataMap map = Pane.CreateInputDataMap();
    EXPECT_EQ(map.Count(), 2);
    EXPECT_EQ(EnteredText(map, "title"), QString("first"));
    EXPECT_EQ(EnteredText(map, "Title"), QString("upper"));
}

TEST_F(TInputPaneTest, RebuildingStartsOverAndDropsFrameSettings) {
    AddItem<TInputEdit>(Items, "a", "名前");
    auto& combo = AddItem<TInputComboBox>(Items, "b", "色");
    combo.AddItem("赤", "red");
    Build();
    Control<QLineEdit>(0, "Edit")->setText("typed");
    TInputComboBox more(combo);
    more.AddItem("青", "blue");
    FrameOf(1).SetInputItem(more);
    FrameOf(1).ApplyInputItem();
    EXPECT_EQ(Control<QComboBox>(1, "ComboBox")->count(), 2);
    Build();
    EXPECT_EQ(Control<QLineEdit>(0, "Edit")->text(), QString());
    EXPECT_EQ(Control<QComboBox>(1, "ComboBox")->count(), 1);
    EXPECT_EQ(Pane.findChildren<TFrameInputItem*>().size(), 2);
}

TEST_F(TInputPaneTest, DestroyingThePaneOrTheItemsFirstLeavesNothingBehind) {
    auto pane = std::make_unique<TFrameInputItemList>(nullptr);
    auto items = std::make_unique<TInputItemList>();
    AddItem<TInputImage>(*items, "a", "写真");
    AddItem<TInputComboBox>(*items, "b", "色");
    pane->BuildFrames(*items);
    items->Delete(0);
    EXPECT_EQ(pane->findChildren<TFrameInputItem*>().size(), 1);
    // The deleted item is not followed; the other one still answers.
    const TInputDataMap map = pane->CreateInputDataMap();
    ASSERT_EQ(map.Count(), 1);
    EXPECT_EQ(map.begin()->first, QString("b"));
    pane.reset();
    EXPECT_EQ(items->Get(0)->GetFrameInterface(), nullptr);
    items.reset();
}

TEST_F(TInputPaneTest, OneLineBoxLimitsLengthAndDigits) {
    auto& item = AddItem<TInputEdit>(Items, "a", "価格");
    item.MaxLength = 4;
    item.NumbersOnly = true;
    AddItem<TInputEdit>(Items, "b", "自由");
    Build();
    auto* digits = Control<QLineEdit>(0, "Edit");
    QTest::keyClicks(digits, "1a2-3456");
    EXPECT_EQ(digits->text(), QString("1234"));
    auto* free = Control<QLineEdit>(1, "Edit");
    QTest::keyClicks(free, "a-1");
    EXPECT_EQ(free->text(), QString("a-1"));
    EXPECT_EQ(free->maxLength(), 32767);
}

TEST_F(TInputPaneTest, MultiLineBoxCountsLineBreaksAsTwo) {
    auto& item = AddItem<TInputMemo>(Items, "a", "本文");
    item.MaxLength = 5;
    Build();
    auto* memo = Control<QPlainTextEdit>(0, "Memo");
    memo->setFocus();
    QTest::keyClicks(memo, "ab");
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, "cdef");
    auto data = FrameOf(0).CreateInputData();
    EXPECT_EQ(static_cast<TInputDataMemo&>(*data).Text, QString("ab\r\nc"));
}

TEST_F(TInputPaneTest, DateTimeLayoutsFollowTheKind) {
    struct TCase {
        int Kind;
        bool TimeShown;
        bool PickerShowsDate;
    };
    const TCase cases[] = {{0, false, true}, {1, false, false}, {2, true, true}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Kind);
        Items.Clear();
        AddItem<TInputDateTime>(Items, "d", "日時").SetKind(c.Kind);
        Build();
        auto* picker = Control<QDateTimeEdit>(0, "Picker");
        auto* picker2 = Control<QDateTimeEdit>(0, "Picker2");
        auto* config = Control<QToolButton>(0, "BtnConfig");
        EXPECT_EQ(!picker2->isHidden(), c.TimeShown);
        EXPECT_EQ(picker->displayFormat().contains("d"), c.PickerShowsDate);
        EXPECT_GE(picker->width(), 113);
        const QWidget* last = c.TimeShown ? picker2 : picker;
        EXPECT_EQ(config->x(), last->x() + last->width() + 1);
        EXPECT_EQ(picker->dateTime(), QDateTime(QDate::currentDate(), QTime(0, 0)));
        EXPECT_EQ(picker2->time(), QTime(0, 0));
    }
}

TEST_F(TInputPaneTest, DateTimeSettingsChangeRelayoutsAndResets) {
    AddItem<TInputDateTime>(Items, "d", "日時").SetKind(TInputDateTime::KindDateAndTime);
    Build();
    auto* picker = Control<QDateTimeEdit>(0, "Picker");
    picker->setDate(QDate(2001, 2, 3));
    TInputDateTime dateOnly;
    dateOnly.SetKind(TInputDateTime::KindDate);
    FrameOf(0).SetInputItem(dateOnly);
    FrameOf(0).ApplyInputItem();
    QCoreApplication::processEvents();
    EXPECT_TRUE(Control<QDateTimeEdit>(0, "Picker2")->isHidden());
    EXPECT_EQ(picker->date(), QDate::currentDate());
    Frame(0)->layout()->activate();
    Control<QGroupBox>(0, "GroupBox")->layout()->activate();
    EXPECT_EQ(Control<QToolButton>(0, "BtnConfig")->x(), picker->x() + picker->width() + 1);
}

TEST_F(TInputPaneTest, PullDownOffersTheCopysChoicesAndRefusesOnlyNoSelection) {
    auto& combo = AddItem<TInputComboBox>(Items, "c", "分類");
    combo.AddItem("お知らせ", "news");
    AddItem<TInputComboBox>(Items, "e", "空");
    Build();
    EXPECT_EQ(Control<QComboBox>(0, "ComboBox")->currentIndex(), 0);
    EXPECT_EQ(Control<QComboBox>(1, "ComboBox")->currentIndex(), -1);
    EXPECT_EQ(ValidationMessage(), QStringLiteral("空が選択されていません。"));
    Items.Delete(1);
    Build();
    // Choices gained through "設定" can be picked; the project's item keeps its one choice.
    TInputComboBox more(combo);
    more.AddItem("新商品", "new");
    FrameOf(0).SetInputItem(more);
    FrameOf(0).ApplyInputItem();
    auto* box = Control<QComboBox>(0, "ComboBox");
    EXPECT_EQ(box->count(), 2);
    EXPECT_EQ(box->currentIndex(), 0);
    box->setCurrentIndex(1);
    EXPECT_EQ(ValidationMessage(), QString());
    EXPECT_EQ(EnteredText(Pane.CreateInputDataMap(), "c"), QString("new"));
    EXPECT_EQ(combo.GetItems().GetCount(), 1);
}

TEST_F(TInputPaneTest, ImageChecksComeInTheirOrderWithTheFramesCaption) {
    AddItem<TInputImage>(Items, "p", "写真");
    Build();
    const QString picture = Dir.File("a.png");
    testsupport::WriteFile(picture, "x");
    const std::tuple<QString, QString, const char16_t*> cases[] = {
        {"", "", u"写真の画像ファイルの場所が指定されていません。"},
        {Dir.File("gone.png"), "", u"写真の画像ファイルが存在しません。"},
        {Dir.Path(), "b.png", u"写真の画像ファイルが存在しません。"},
        {picture, "", u"写真の画像ファイル名が入力されていません。"},
        {picture, "b.png", u""},
    };
    for (const auto& [path, name, message] : cases) {
        Control<QLineEdit>(0, "EditPath")->setText(path);
        Control<QLineEdit>(0, "EditFilename")->setText(name);
        EXPECT_EQ(ValidationMessage(), QString::fromUtf16(message)) << path.toStdString();
    }
}

TEST_F(TInputPaneTest, BrowsingKeepsATypedFileName) {
    AddItem<TInputImage>(Items, "p", "写真");
    Build();
    auto* frame = static_cast<TFrameInputImage*>(Frame(0));
    auto* path = Control<QLineEdit>(0, "EditPath");
    auto* name = Control<QLineEdit>(0, "EditFilename");
    struct TCase {
        const char* Typed;
        std::optional<QString> Picked;
        const char* PathAfter;
        const char* NameAfter;
    };
    const TCase cases[] = {
        {"", QString("/p/夕日.jpg"), "/p/夕日.jpg", "夕日.jpg"},
        {"keep.png", QString("/q/b.gif"), "/q/b.gif", "keep.png"},
        {"keep.png", std::nullopt, "/old.png", "keep.png"},
    };
    for (const TCase& c : cases) {
        path->setText("/old.png");
        name->setText(QString::fromUtf8(c.Typed));
        Script.AnswerFile(c.Picked);
        frame->BrowseAction()->trigger();
        EXPECT_EQ(path->text(), QString::fromUtf8(c.PathAfter));
        EXPECT_EQ(name->text(), QString::fromUtf8(c.NameAfter));
        EXPECT_EQ(Script.FileDialogs.back().Mode, TFileDialog::TMode::Open);
        EXPECT_EQ(Script.FileDialogs.back().Filter, TFrameInputImage::PictureFilter());
    }
    for (const char* pattern : {"*.jpg", "*.jpeg", "*.png", "*.gif", "*.bmp"})
        EXPECT_TRUE(TFrameInputImage::PictureFilter().contains(pattern)) << pattern;
}

TEST_F(TInputPaneTest, ThePreviewButtonShowsAnExistingPictureAndReportsABadOne) {
    AddItem<TInputImage>(Items, "p", "写真");
    Build();
    auto* frame = static_cast<TFrameInputImage*>(Frame(0));
    auto* path = Control<QLineEdit>(0, "EditPath");
    // No file: nothing happens.
    path->setText(Dir.File("gone.png"));
    frame->PreviewAction()->trigger();
    EXPECT_TRUE(Script.Dialogs.isEmpty());
    EXPECT_TRUE(Script.Messages.empty());
    // A picture: the picture window shows it.
    path->setText(QStringLiteral(ORVANE_SOURCE_DIR "/examples/pictures/logo.png"));
    QString shown;
    Script.AnswerDialog(
        [&](QDialog& dialog) { shown = dynamic_cast<TFormImagePreview&>(dialog).ImageFile(); });
    frame->PreviewAction()->trigger();
    EXPECT_EQ(shown, path->text());
    // A file that is no picture: a warning, and the path stays.
    testsupport::WriteFile(Dir.File("text.png"), "not a picture");
    path->setText(Dir.File("text.png"));
    Script.AnswerMessage(TMessageBox::TAnswer::Ok);
    frame->PreviewAction()->trigger();
    ASSERT_EQ(Script.Messages.size(), 1u);
    EXPECT_EQ(Script.Messages[0].Kind, TMessageBox::TKind::Warning);
    EXPECT_TRUE(Script.Messages[0].Text.contains("text.png"));
    EXPECT_EQ(path->text(), Dir.File("text.png"));
    EXPECT_EQ(Script.Dialogs.size(), 1);
}

}  // namespace
