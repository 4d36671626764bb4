#include "TProjectInfo.h"

#include <QJsonArray>

#include "TInputComboBox.h"
#include "TInputDateTime.h"
#include "TInputEdit.h"
#include "TInputImage.h"
#include "TInputMemo.h"
#include "TProject.h"

namespace {

template <typename TText>
void AddTextFields(QJsonObject& o, const TText& item) {
    o[QStringLiteral("BlankValue")] = item.BlankValue;
    o[QStringLiteral("AllowHtmlTag")] = item.AllowHtmlTag;
    o[QStringLiteral("MaxLength")] = item.MaxLength;
    o[QStringLiteral("Required")] = item.Required;
}

void AddKindFields(QJsonObject& o, const TInputBase& base) {
    if (const auto* edit = dynamic_cast<const TInputEdit*>(&base)) {
        AddTextFields(o, *edit);
        o[QStringLiteral("NumbersOnly")] = edit->NumbersOnly;
    } else if (const auto* memo = dynamic_cast<const TInputMemo*>(&base)) {
        AddTextFields(o, *memo);
        o[QStringLiteral("ConvertBr")] = memo->ConvertBr;
    } else if (const auto* date = dynamic_cast<const TInputDateTime*>(&base)) {
        o[QStringLiteral("Format")] = date->Format;
        o[QStringLiteral("Kind")] = date->GetKind();
    } else if (const auto* combo = dynamic_cast<const TInputComboBox*>(&base)) {
        QJsonArray choices;
        for (int n = 0; n < combo->GetItems().GetCount(); ++n) {
            choices.append(QJsonObject{{QStringLiteral("Caption"), combo->GetItem(n)->Caption},
                                       {QStringLiteral("Value"), combo->GetItem(n)->Value}});
        }
        o[QStringLiteral("Items")] = choices;
    } else if (const auto* image = dynamic_cast<const TInputImage*>(&base)) {
        o[QStringLiteral("MaxImageWidth")] = image->MaxImageWidth;
        o[QStringLiteral("MaxImageHeight")] = image->MaxImageHeight;
        o[QStringLiteral("ZoomOutImage")] = image->ZoomOutImage;
    }
}

}  // namespace

QJsonObject ProjectToJson(const TProject& project) {
    QJsonArray items;
    for (int i = 0; i < project.InputItems.GetCount(); ++i) {
        const TInputBase& item = *project.GetInputItem(i);
        QJsonObject o{{QStringLiteral("InputType"), item.GetInputType()},
                      {QStringLiteral("TypeName"), GetInputTypeName(item)},
                      {QStringLiteral("Name"), item.GetName()},
                      {QStringLiteral("Caption"), item.GetCaption()}};
        AddKindFields(o, item);
        items.append(o);
    }
    QJsonArray templates;
    for (int i = 0; i < project.HtmlTemplates.GetCount(); ++i) {
        const THtmlTemplate& t = *project.GetHtmlTemplate(i);
        templates.append(QJsonObject{{QStringLiteral("Name"), t.Name},
                                     {QStringLiteral("CharCode"), t.GetCharCode()},
                                     {QStringLiteral("Html"), t.Html}});
    }
    const TFtpConfig& ftp = project.FtpConfig;
    const QJsonObject ftpJson{{QStringLiteral("IsUse"), ftp.IsUse},
                              {QStringLiteral("Host"), ftp.Host},
                              {QStringLiteral("User"), ftp.User},
                              {QStringLiteral("PasswordSet"), !ftp.Password.isEmpty()},
                              {QStringLiteral("DirHtml"), ftp.DirHtml},
                              {QStringLiteral("DirImage"), ftp.DirImage},
                              {QStringLiteral("Port"), ftp.Port},
                              {QStringLiteral("Passive"), ftp.Passive}};
    return QJsonObject{{QStringLiteral("InputItems"), items},
                       {QStringLiteral("HtmlTemplates"), templates},
                       {QStringLiteral("FTP"), ftpJson}};
}
