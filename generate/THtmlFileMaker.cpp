#include "THtmlFileMaker.h"

#include "TTagExpander.h"

namespace {

// Tag names and keys match without regard to the case of ASCII letters only.
bool SameAsciiNoCase(QStringView text, QLatin1StringView lower) {
    if (text.size() != lower.size()) {
        return false;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t c = text[i].unicode();
        if (c >= u'A' && c <= u'Z') {
            c += u'a' - u'A';
        }
        if (c != lower[i].unicode()) {
            return false;
        }
    }
    return true;
}

// The value of the first field whose key, the text before its first "=", is "name".
QString NameValue(const QStringList& params) {
    for (const QString& field : params) {
        const qsizetype equals = field.indexOf(u'=');
        if (equals >= 0 &&
            SameAsciiNoCase(QStringView(field).first(equals), QLatin1StringView("name"))) {
            return field.mid(equals + 1);
        }
    }
    return {};
}

}  // namespace

QString THtmlFileMaker::Make(const QString& templateText) const {
    return QString::fromUtf8(MakeUtf8(templateText.toUtf8()));
}

QByteArray THtmlFileMaker::MakeUtf8(const QByteArray& templateUtf8) const {
    return TTagExpander::ExpandUtf8(
        templateUtf8, [this](const QString& tagName, const QStringList& params,
                             QString& replacement) { OnTag(tagName, params, replacement); });
}

QString THtmlFileMaker::MakeHtml(const TOutputDataMap& outputs, const QString& templateText) {
    return THtmlFileMaker(outputs).Make(templateText);
}

void THtmlFileMaker::OnTag(const QString& tagName, const QStringList& params,
                           QString& replacement) const {
    if (!SameAsciiNoCase(tagName, QLatin1StringView("p"))) {
        return;
    }
    if (const TOutputData* output = FOutputs.Find(NameValue(params))) {
        replacement = output->Text;
    }
}
