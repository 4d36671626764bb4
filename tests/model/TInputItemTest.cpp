#include <gtest/gtest.h>

#include "TInputComboBox.h"
#include "TInputData.h"
#include "TInputDateTime.h"
#include "TInputEdit.h"
#include "TInputImage.h"
#include "TInputMemo.h"
#include "TMemIniFile.h"
#include "TTestSupport.h"

using testsupport::TScratchDir;

namespace {

TEST(TInputItem, KindsHaveTheirCodesNamesAndDefaults) {
    const TInputEdit edit;
    const TInputMemo memo;
    const TInputDateTime date;
    const TInputComboBox combo;
    const TInputImage image;
    const std::pair<const TInputBase*, const char16_t*> kinds[] = {
        {&edit, u"一行入力欄"},          {&memo, u"複数行入力欄"}, {&date, u"日時選択欄"},
        {&combo, u"プルダウンメニュー"}, {&image, u"画像"},
    };
    for (int code = 0; code < 5; ++code) {
        EXPECT_EQ(kinds[code].first->GetInputType(), code);
        EXPECT_EQ(GetInputTypeName(*kinds[code].first), QString::fromUtf16(kinds[code].second));
    }
    EXPECT_EQ(GetInputTypeName(5), QString());
    EXPECT_EQ(GetInputTypeName(-1), QString());
    EXPECT_EQ(image.MaxImageWidth, 100);
    EXPECT_EQ(image.MaxImageHeight, 100);
    EXPECT_EQ(date.GetKind(), 0);
    EXPECT_EQ(edit.MaxLength, 0);
}

TEST(TInputItem, DateTimeKindIsNormalised) {
    TInputDateTime date;
    for (const auto& [set, stored] : {std::pair{1, 1}, {2, 2}, {3, 0}, {-1, 0}, {0, 0}}) {
        date.SetKind(set);
        EXPECT_EQ(date.GetKind(), stored) << set;
    }
}

TEST(TInputItem, DateTimeKindFromTheFileIsNormalised) {
    TScratchDir dir;
    testsupport::WriteFile(dir.File("d.ini"),
                           "[a]\r\nKind=-1\r\n[b]\r\nKind=3\r\n[c]\r\nKind=x\r\n[d]\r\nKind=1\r\n");
    const TMemIniFile ini(dir.File("d.ini"));
    for (const auto& [section, kind] : {std::pair{"a", 0}, {"b", 0}, {"c", 0}, {"d", 1}}) {
        TInputDateTime date;
        date.LoadFromIni(ini, section);
        EXPECT_EQ(date.GetKind(), kind) << section;
    }
}

TEST(TInputItem, CloneOfAPullDownSharesNoChoice) {
    auto original = std::make_unique<TInputComboBox>();
    original->SetName("n");
    original->AddItem("a", "1");
    original->AddItem("b", "2");
    std::unique_ptr<TInputBase> copy = original->Clone();
    auto* combo = dynamic_cast<TInputComboBox*>(copy.get());
    ASSERT_TRUE(combo);
    EXPECT_NE(combo->GetItem(0), original->GetItem(0));
    original.reset();
    ASSERT_EQ(combo->GetItems().GetCount(), 2);
    EXPECT_EQ(combo->GetItem(1)->Value, QString("2"));
    EXPECT_EQ(combo->GetName(), QString("n"));
}

TEST(TInputItem, PullDownWithoutChoicesWritesACountOfZeroOnly) {
    TScratchDir dir;
    TMemIniFile ini(dir.File("c.ini"));
    TInputComboBox().SaveToIni(ini, "S");
    EXPECT_EQ(ini.ToBytes(),
              QByteArray("[S]\r\nName=\r\nCaption=\r\nInputType=3\r\nItemCount=0\r\n\r\n"));
}

TEST(TInputItem, FactoryRejectsUnknownOrMissingKinds) {
    TScratchDir dir;
    testsupport::WriteFile(dir.File("f.ini"),
                           "[a]\r\nInputType=7\r\n[b]\r\nName=x\r\n[c]\r\nInputType=4\r\n");
    const TMemIniFile ini(dir.File("f.ini"));
    EXPECT_EQ(CreateInputItemFromIni(ini, "a"), nullptr);
    EXPECT_EQ(CreateInputItemFromIni(ini, "b"), nullptr);
    EXPECT_EQ(CreateInputItemFromIni(ini, "missing"), nullptr);
    auto image = CreateInputItemFromIni(ini, "c");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->GetInputType(), 4);
}

TEST(TItemList, MovesRefuseOutOfRangeIndexes) {
    struct TCase {
        int Count;
        int Index;
        bool Up;
        bool Moved;
    };
    const TCase cases[] = {
        {3, 0, true, false},  {3, 1, true, true},   {3, 2, true, true},   {3, 3, true, false},
        {3, -1, true, false}, {3, 2, false, false}, {3, 0, false, true},  {3, -1, false, false},
        {0, 0, true, false},  {0, 0, false, false}, {1, 0, false, false}, {3, 5, false, false},
    };
    for (const auto& c : cases) {
        TItemList<int> list;
        for (int i = 0; i < c.Count; ++i)
            list.Add(std::make_unique<int>(i));
        const bool moved = c.Up ? list.MoveUp(c.Index) : list.MoveDown(c.Index);
        EXPECT_EQ(moved, c.Moved) << c.Count << " " << c.Index << " " << c.Up;
        if (moved) {
            const int other = c.Up ? c.Index - 1 : c.Index + 1;
            EXPECT_EQ(*list.Get(c.Index), other);
            EXPECT_EQ(*list.Get(other), c.Index);
        } else {
            for (int i = 0; i < c.Count; ++i)
                EXPECT_EQ(*list.Get(i), i);
        }
    }
}

TEST(TItemList, DeleteClosesTheGap) {
    TItemList<int> list;
    for (int i = 0; i < 3; ++i)
        list.Add(std::make_unique<int>(i));
    list.Delete(1);
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(*list.Get(1), 2);
    list.Clear();
    EXPECT_EQ(list.GetCount(), 0);
}

}  // namespace
