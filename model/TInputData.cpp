#include "TInputData.h"

#include "TInputComboBox.h"
#include "TInputEdit.h"
#include "TInputMemo.h"
#include "TStringUtility.h"

QString ConvertLineBreaksToBr(const QString& text) {
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("<br />"));
    out.replace(u'\r', QStringLiteral("<br />"));
    out.replace(u'\n', QStringLiteral("<br />"));
    return out;
}

TOutputData TInputDataEdit::CreateOutputData() const {
    const auto* item = ItemAs<TInputEdit>();
    if (!item)
        return {};
    if (Text.isEmpty())
        return {item->BlankValue, {}, {}};
    return {item->AllowHtmlTag ? Text : TStringUtility::EscapeHtml(Text), {}, {}};
}

TOutputData TInputDataMemo::CreateOutputData() const {
    const auto* item = ItemAs<TInputMemo>();
    if (!item)
        return {Text, {}, {}};
    if (Text.isEmpty())
        return {item->BlankValue, {}, {}};
    // Escaping comes first, so the inserted "<br />" stays markup.
    QString out = item->AllowHtmlTag ? Text : TStringUtility::EscapeHtml(Text);
    if (item->ConvertBr)
        out = ConvertLineBreaksToBr(out);
    return {out, {}, {}};
}

TOutputData TInputDataComboBox::CreateOutputData() const {
    const auto* item = ItemAs<TInputComboBox>();
    // An index outside the choices (a check normally prevents it) outputs nothing.
    if (!item || ItemIndex < 0 || ItemIndex >= item->GetItems().GetCount())
        return {};
    return {item->GetItem(ItemIndex)->Value, {}, {}};
}

TOutputDataMap TInputDataMap::CreateOutputDataMap() const {
    TOutputDataMap out;
    for (const auto& [name, data] : FMap)
        out.Insert(name, data->CreateOutputData());
    return out;
}
