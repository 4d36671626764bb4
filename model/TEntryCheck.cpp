#include "TEntryCheck.h"

#include <QFileInfo>

#include "TError.h"
#include "TInputComboBox.h"
#include "TInputData.h"
#include "TInputEdit.h"
#include "TInputImage.h"
#include "TInputMemo.h"
#include "TIntegerParser.h"

namespace {

[[noreturn]] void Fail(const QString& caption, const QString& message) {
    throw TError(caption + message);
}

const QString NotEntered = QStringLiteral("が入力されていません。");

void CheckEdit(const TInputEdit& item, const TInputDataEdit& entered) {
    if (item.Required && entered.Text.isEmpty())
        Fail(item.GetCaption(), NotEntered);
    if (item.NumbersOnly && !TIntegerParser::Parse(entered.Text)) {
        Fail(item.GetCaption(), QStringLiteral("に数字以外の文字が入力されています。"));
    }
}

void CheckMemo(const TInputMemo& item, const TInputDataMemo& entered) {
    if (item.Required && entered.Text.isEmpty())
        Fail(item.GetCaption(), NotEntered);
}

// Only "nothing selected" is refused: a frame whose copy gained choices through "設定" may
// pick one the project's item does not have (the value carries its own copy).
void CheckComboBox(const TInputComboBox& item, const TInputDataComboBox& entered) {
    if (entered.ItemIndex < 0) {
        Fail(item.GetCaption(), QStringLiteral("が選択されていません。"));
    }
}

void CheckImage(const TInputImage& item, const TInputDataImage& entered) {
    const QString caption = entered.GetItem() ? entered.GetItem()->GetCaption() : item.GetCaption();
    if (entered.Path.isEmpty()) {
        Fail(caption, QStringLiteral("の画像ファイルの場所が指定されていません。"));
    }
    if (!QFileInfo(entered.Path).isFile()) {
        Fail(caption, QStringLiteral("の画像ファイルが存在しません。"));
    }
    if (entered.FileName.isEmpty()) {
        Fail(caption, QStringLiteral("の画像ファイル名が入力されていません。"));
    }
}

template <typename TItem, typename TValue, typename TCheck>
void CheckAs(const TInputBase& item, const TInputData& entered, TCheck check) {
    const auto* typedItem = dynamic_cast<const TItem*>(&item);
    const auto* typedValue = dynamic_cast<const TValue*>(&entered);
    if (typedItem && typedValue)
        check(*typedItem, *typedValue);
}

}  // namespace

void CheckEntry(const TInputBase& item, const TInputData& entered) {
    CheckAs<TInputEdit, TInputDataEdit>(item, entered, CheckEdit);
    CheckAs<TInputMemo, TInputDataMemo>(item, entered, CheckMemo);
    CheckAs<TInputComboBox, TInputDataComboBox>(item, entered, CheckComboBox);
    CheckAs<TInputImage, TInputDataImage>(item, entered, CheckImage);
}
