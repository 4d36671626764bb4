// The five item definition dialogs: filled from a definition and built back, the OK checks in
// their order with their messages and focus, locked names, help topics, the image size rule.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <functional>
#include <vector>

#include "TDialogScript.h"
#include "THelpViewer.h"
#include "TInputComboBox.h"
#include "TInputDateTime.h"
#include "TInputEdit.h"
#include "TInputImage.h"
#include "TInputItemDialogs.h"
#include "TInputMemo.h"
#include "TMemIniFile.h"
#include "TTestSupport.h"
#include "TWidgetDriving.h"
#include "UnitFormInputItemBase.h"
#include "UnitFormInputItemComboboxItem.h"
#include "UnitFormTemplateEdit.h"

using testsupport::Child;
using testsupport::Click;
using testsupport::SetText;

namespace {

const int AllKinds[] = {TInputBase::KindEdit, TInputBase::KindMemo, TInputBase::KindDateTime,
                        TInputBase::KindComboBox, TInputBase::KindImage};

std::unique_ptr<TFormInputItemBase> Dialog(int kind) {
    auto dialog = TInputItemDialogs::Create(kind, nullptr);
    EXPECT_NE(dialog, nullptr) << kind;
    return dialog;
}

// What an item writes into a project file: equal texts mean equal definitions.
QByteArray IniOf(const TInputBase& item) {
    TMemIniFile ini(QString{});
    item.SaveToIni(ini, QStringLiteral("Item"));
    return ini.ToBytes();
}

std::unique_ptr<TInputBase> FullEdit() {
    auto item = std::make_unique<TInputEdit>();
    item->SetCaption(QStringLiteral("題名"));
    item->SetName(QStringLiteral("title"));
    item->BlankValue = QStringLiteral("（なし）");
    item->AllowHtmlTag = true;
    item->MaxLength = 40;
    item->Required = true;
    item->NumbersOnly = true;
    return item;
}

std::unique_ptr<TInputBase> FullMemo() {
    auto item = std::make_unique<TInputMemo>();
    item->SetCaption(QStringLiteral("本文"));
    item->SetName(QStringLiteral("body"));
    item->BlankValue = QStringLiteral(" 一行目\r\n二行目 ");
    item->ConvertBr = true;
    item->MaxLength = 2000;
    return item;
}

std::unique_ptr<TInputBase> DateOfKind(int32_t kind) {
    auto item = std::make_unique<TInputDateTime>();
    item->SetCaption(QStringLiteral("日付"));
    item->SetName(QStringLiteral("date"));
    item->SetKind(kind);
    item->Format = QStringLiteral("yyyy年m月d日");
    return item;
}

std::unique_ptr<TInputBase> ThreeChoices() {
    auto item = std::make_unique<TInputComboBox>();
    item->SetCaption(QStringLiteral("分類"));
    item->SetName(QStringLiteral("category"));
    item->AddItem(QStringLiteral("新商品"), QStringLiteral("new"));
    item->AddItem(QString(), QString());
    item->AddItem(QStringLiteral("セール"), QStringLiteral("sale"));
    return item;
}

std::unique_ptr<TInputBase> Image(bool zoom, int32_t height, int32_t width) {
    auto item = std::make_unique<TInputImage>();
    item->SetCaption(QStringLiteral("写真"));
    item->SetName(QStringLiteral("photo"));
    item->ZoomOutImage = zoom;
    item->MaxImageHeight = height;
    item->MaxImageWidth = width;
    return item;
}

}  // namespace

TEST(TInputItemDialogTest, DefinitionsComeBackAsLoaded) {
    std::vector<std::unique_ptr<TInputBase>> items;
    items.push_back(FullEdit());
    items.push_back(FullMemo());
    for (int32_t kind : {0, 1, 2})
        items.push_back(DateOfKind(kind));
    items.push_back(ThreeChoices());
    items.push_back(Image(true, 120, 160));
    items.push_back(Image(false, 1, 99999));
    for (const auto& item : items) {
        auto dialog = Dialog(item->GetInputType());
        dialog->LoadInputItem(*item);
        const auto created = dialog->CreateInputItem();
        EXPECT_EQ(IniOf(*created), IniOf(*item)) << IniOf(*item).toStdString();
    }
}

TEST(TInputItemDialogTest, DialogsOpenOnTheirFirstPageWithTheirTitlesAndEmptyControls) {
    const std::pair<int, const char*> titles[] = {{0, "一行入力欄"},
                                                  {1, "複数行入力欄"},
                                                  {2, "日時"},
                                                  {3, "プルダウンメニュー"},
                                                  {4, "画像"}};
    for (const auto& [kind, title] : titles) {
        auto dialog = Dialog(kind);
        EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8(title));
        EXPECT_EQ(Child<QTabWidget>(*dialog, "PageControl")->currentIndex(), 0);
        EXPECT_EQ(Child<QTabWidget>(*dialog, "PageControl")->tabText(0), u"データ変換");
        EXPECT_TRUE(Child<QLineEdit>(*dialog, "EditCaption")->text().isEmpty());
        EXPECT_TRUE(Child<QLineEdit>(*dialog, "EditName")->text().isEmpty());
    }
    EXPECT_EQ(Child<QComboBox>(*Dialog(2), "ComboBoxKind")->currentText(), u"日付");
    // A new item made without typing anything has no length limit and sizes of 0.
    EXPECT_EQ(IniOf(*Dialog(0)->CreateInputItem()), IniOf(TInputEdit()));
    const auto image = Dialog(4)->CreateInputItem();
    EXPECT_EQ(static_cast<TInputImage&>(*image).MaxImageHeight, 0);
    EXPECT_EQ(static_cast<TInputImage&>(*image).MaxImageWidth, 0);
}

TEST(TInputItemDialogTest, DateOfKindDateAndTimeShowsItAndKeepsIt) {
    auto dialog = Dialog(TInputBase::KindDateTime);
    dialog->LoadInputItem(*DateOfKind(2));
    EXPECT_EQ(Child<QComboBox>(*dialog, "ComboBoxKind")->currentText(), u"日時");
    Child<QComboBox>(*dialog, "ComboBoxKind")->setCurrentIndex(-1);
    EXPECT_EQ(static_cast<TInputDateTime&>(*dialog->CreateInputItem()).GetKind(), 0);
}

TEST(TInputItemDialogTest, LockedNamesCannotBeChangedInEveryDialog) {
    for (int kind : AllKinds) {
        auto dialog = Dialog(kind);
        dialog->LockNames(true);
        EXPECT_FALSE(Child<QLineEdit>(*dialog, "EditCaption")->isEnabled()) << kind;
        EXPECT_FALSE(Child<QLineEdit>(*dialog, "EditName")->isEnabled()) << kind;
        dialog->LockNames(false);
        EXPECT_TRUE(Child<QLineEdit>(*dialog, "EditCaption")->isEnabled()) << kind;
        EXPECT_TRUE(Child<QLineEdit>(*dialog, "EditName")->isEnabled()) << kind;
    }
}

TEST(TInputItemDialogTest, HelpButtonsOpenTheirTopics) {
    std::vector<std::pair<std::unique_ptr<QDialog>, int>> dialogs;
    for (int kind : AllKinds)
        dialogs.emplace_back(Dialog(kind), 11 + kind);
    dialogs.emplace_back(std::make_unique<TFormInputItemComboboxItem>(), 16);
    dialogs.emplace_back(std::make_unique<TFormTemplateEdit>(), 17);
    for (const auto& [dialog, context] : dialogs) {
        Click(*dialog, "BtnHelp");
        ASSERT_NE(THelpViewer::Current(), nullptr) << context;
        EXPECT_EQ(THelpViewer::Current()->Source().fileName(), THelpViewer::TopicPage(context));
        delete THelpViewer::Current();
    }
}

// One press of OK on a dialog filled as the case says.
struct TOkCase {
    const char* Name;
    int Kind;
    std::function<std::unique_ptr<TInputBase>()> Loaded;  // may be empty: a new item
    std::vector<std::pair<const char*, QString>> Texts;
    std::vector<const char*> Clicks;
    const char* Message;  // nullptr: accepted
    const char* Focus;
    std::vector<std::pair<const char*, QString>> TextsAfter = {};
};

void PrintTo(const TOkCase& c, std::ostream* os) {
    *os << c.Name;
}

class TOkCheckTest : public testing::TestWithParam<TOkCase> {};

TEST_P(TOkCheckTest, FirstFailureIsShownAndTakesTheFocus) {
    const TOkCase& c = GetParam();
    auto dialog = Dialog(c.Kind);
    if (c.Loaded)
        dialog->LoadInputItem(*c.Loaded());
    dialog->show();
    for (const auto& [name, text] : c.Texts)
        SetText(*dialog, name, text);
    for (const char* name : c.Clicks)
        Click(*dialog, name);
    testsupport::TDialogScript script;
    if (c.Message)
        script.AnswerMessage(TMessageBox::TAnswer::Ok);
    dialog->setResult(QDialog::Rejected);
    Click(*dialog, "BtnOk");

    if (c.Message) {
        EXPECT_EQ(script.MessageTexts(), QStringList{QString::fromUtf8(c.Message)});
        EXPECT_EQ(script.Messages.at(0).Kind, TMessageBox::TKind::Warning);
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        EXPECT_TRUE(dialog->isVisible());
        ASSERT_NE(dialog->focusWidget(), nullptr);
        EXPECT_EQ(dialog->focusWidget()->objectName(), QString::fromUtf8(c.Focus));
    } else {
        EXPECT_TRUE(script.Messages.empty()) << script.MessageTexts().join(',').toStdString();
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
    }
    for (const auto& [name, text] : c.TextsAfter)
        EXPECT_EQ(Child<QLineEdit>(*dialog, name)->text(), text) << name;
}

const QString Caption = QStringLiteral("題名");
const QString Tag = QStringLiteral("title");
const char* const NoCaption = "項目名が入力されていません。";
const char* const NoTag = "タグ名が入力されていません。";
const char* const NoHeight = "最大高さは1以上の数値を入力してください。";
const char* const NoWidth = "最大幅は1以上の数値を入力してください。";
const char* const Zoom = "CheckBoxZoomOutImage";

std::vector<std::pair<const char*, QString>> Names(
    std::vector<std::pair<const char*, QString>> more = {}) {
    more.insert(more.begin(), {{"EditCaption", Caption}, {"EditName", Tag}});
    return more;
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, TOkCheckTest,
    testing::Values(
        // Caption and tag name come first in every dialog; the length box is rewritten even
        // when a check fails.
        TOkCase{"EditBothNamesEmpty",
                0,
                {},
                {{"EditMaxLength", ""}},
                {},
                NoCaption,
                "EditCaption",
                {{"EditMaxLength", "0"}}},
        TOkCase{"EditTagEmpty", 0, {}, {{"EditCaption", Caption}}, {}, NoTag, "EditName"},
        TOkCase{"EditSpacesAreNotEmpty",
                0,
                {},
                {{"EditCaption", " "}, {"EditName", " "}},
                {},
                nullptr,
                nullptr},
        TOkCase{"EditLengthEmptied",
                0,
                FullEdit,
                {{"EditMaxLength", ""}},
                {},
                nullptr,
                nullptr,
                {{"EditMaxLength", "0"}}},
        TOkCase{"EditLengthLeadingZeros",
                0,
                {},
                Names({{"EditMaxLength", "007"}}),
                {},
                nullptr,
                nullptr,
                {{"EditMaxLength", "7"}}},
        TOkCase{"MemoBothNamesEmpty", 1, {}, {}, {}, NoCaption, "EditCaption"},
        TOkCase{"MemoTagEmpty",
                1,
                {},
                {{"EditCaption", Caption}, {"EditMaxLength", "x"}},
                {},
                NoTag,
                "EditName",
                {{"EditMaxLength", "0"}}},
        TOkCase{"MemoNamed", 1, {}, Names(), {}, nullptr, nullptr, {{"EditMaxLength", "0"}}},
        TOkCase{"DateBothNamesAndFormatEmpty", 2, {}, {}, {}, NoCaption, "EditCaption"},
        TOkCase{"DateTagEmpty", 2, {}, {{"EditCaption", Caption}}, {}, NoTag, "EditName"},
        TOkCase{"DateFormatEmpty", 2, {}, Names(), {}, "書式が入力されていません。", "EditFormat"},
        TOkCase{"DateComplete", 2, {}, Names({{"EditFormat", "yyyy"}}), {}, nullptr, nullptr},
        TOkCase{"ComboBothNamesEmpty", 3, {}, {}, {}, NoCaption, "EditCaption"},
        TOkCase{"ComboTagEmpty", 3, {}, {{"EditCaption", Caption}}, {}, NoTag, "EditName"},
        TOkCase{
            "ComboNoChoices", 3, {}, Names(), {}, "選択肢が設定されていません。", "ListViewItems"},
        TOkCase{"ComboWithChoices", 3, ThreeChoices, {}, {}, nullptr, nullptr},
        TOkCase{"ImageBothNamesEmpty",
                4,
                {},
                {{"EditMaxHeight", "0"}},
                {Zoom},
                NoCaption,
                "EditCaption"},
        TOkCase{"ImageTagEmpty", 4, {}, {{"EditCaption", Caption}}, {}, NoTag, "EditName"},
        TOkCase{"ImageUntickedEmptySizes", 4, {}, Names(), {}, nullptr, nullptr},
        TOkCase{"ImageHeightZero",
                4,
                {},
                Names({{"EditMaxHeight", "0"}, {"EditMaxWidth", "5"}}),
                {Zoom},
                NoHeight,
                "EditMaxHeight"},
        TOkCase{"ImageHeightNotANumber",
                4,
                {},
                Names({{"EditMaxHeight", "abc"}}),
                {Zoom},
                NoHeight,
                "EditMaxHeight"},
        TOkCase{"ImageWidthEmpty",
                4,
                {},
                Names({{"EditMaxHeight", "5"}, {"EditMaxWidth", ""}}),
                {Zoom},
                NoWidth,
                "EditMaxWidth"},
        TOkCase{"ImageLoadedTickedWidthZero",
                4,
                [] { return Image(true, 10, 0); },
                {},
                {},
                NoWidth,
                "EditMaxWidth"},
        TOkCase{"ImageSizesGiven",
                4,
                {},
                Names({{"EditMaxHeight", "5"}, {"EditMaxWidth", "1"}}),
                {Zoom},
                nullptr,
                nullptr}),
    [](const testing::TestParamInfo<TOkCase>& info) { return std::string(info.param.Name); });

TEST(TInputItemDialogTest, ImageSizeBoxesFollowTheCheckBoxFromItsFirstClick) {
    for (const bool zoom : {false, true}) {
        auto dialog = Dialog(TInputBase::KindImage);
        dialog->LoadInputItem(*Image(zoom, 10, 20));
        auto* height = Child<QLineEdit>(*dialog, "EditMaxHeight");
        auto* width = Child<QLineEdit>(*dialog, "EditMaxWidth");
        EXPECT_TRUE(height->isEnabled() && width->isEnabled()) << zoom;
        for (int click = 0; click < 2; ++click) {
            Click(*dialog, Zoom);
            const bool ticked = Child<QCheckBox>(*dialog, Zoom)->isChecked();
            EXPECT_EQ(height->isEnabled(), ticked);
            EXPECT_EQ(width->isEnabled(), ticked);
        }
    }
}

TEST(TInputItemDialogTest, UntickedImageStoresTheSizesAsTyped) {
    auto dialog = Dialog(TInputBase::KindImage);
    SetText(*dialog, "EditMaxHeight", "");
    SetText(*dialog, "EditMaxWidth", "300");
    const auto item = dialog->CreateInputItem();
    const auto& image = static_cast<const TInputImage&>(*item);
    EXPECT_FALSE(image.ZoomOutImage);
    EXPECT_EQ(image.MaxImageHeight, 0);
    EXPECT_EQ(image.MaxImageWidth, 300);
}
