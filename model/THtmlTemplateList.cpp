#include "THtmlTemplateList.h"

#include <algorithm>

#include "TMemIniFile.h"
#include "TStringUtility.h"

namespace {
const QString Section = QStringLiteral("HtmlTemplate");
QString EntrySection(int64_t i) {
    return QStringLiteral("HtmlTemplate_") + QString::number(i);
}
}  // namespace

void THtmlTemplateList::SaveToIni(TMemIniFile& ini) const {
    ini.WriteInteger(Section, QStringLiteral("Count"), GetCount());
    for (int i = 0; i < GetCount(); ++i) {
        const THtmlTemplate& t = *Get(i);
        ini.WriteString(EntrySection(i), QStringLiteral("Name"), t.Name);
        ini.WriteInteger(EntrySection(i), QStringLiteral("CharCode"), t.GetCharCode());
        ini.WriteString(EntrySection(i), QStringLiteral("Html"),
                        TStringUtility::EncodeUtf8Base64(t.Html));
    }
}

void THtmlTemplateList::LoadFromIni(const TMemIniFile& ini) {
    Clear();
    const int32_t count = ini.ReadInteger(Section, QStringLiteral("Count"), 0);
    const int64_t bound =
        std::min<int64_t>(count, ini.HighestSectionIndex(QStringLiteral("HtmlTemplate_")) + 1);
    for (int64_t i = 0; i < bound; ++i) {
        const QString name = ini.ReadString(EntrySection(i), QStringLiteral("Name"), QString());
        const int32_t code = ini.ReadInteger(EntrySection(i), QStringLiteral("CharCode"), 0);
        const QString html = TStringUtility::DecodeUtf8Base64(
            ini.ReadStringView(EntrySection(i), QStringLiteral("Html")));
        if (name.isEmpty() || html.isEmpty())
            continue;
        Add(std::make_unique<THtmlTemplate>(name, code, html));
    }
}
