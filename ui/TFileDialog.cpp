#include "TFileDialog.h"

#include <QFileDialog>
#include <QStringList>

namespace {

TFileDialog::TAnswerer& TestAnswerer() {
    static TFileDialog::TAnswerer answerer;
    return answerer;
}

// Linux file names are case-sensitive, but "*.PT" must also find the "x.pt" that Save As
// writes: each pattern is offered in both cases.
QString CaseFreePatterns(const QString& patterns) {
    QStringList result;
    for (const QString& pattern : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        for (const QString& form : {pattern, pattern.toUpper(), pattern.toLower()}) {
            if (!result.contains(form))
                result << form;
        }
    }
    return result.join(QLatin1Char(' '));
}

}  // namespace

std::optional<QString> TFileDialog::GetOpenFileName(QWidget* parent, const QString& filter,
                                                    const QString& defaultExtension,
                                                    const QString& initialPath) {
    return Show(parent, {TMode::Open, filter, defaultExtension, initialPath});
}

std::optional<QString> TFileDialog::GetSaveFileName(QWidget* parent, const QString& filter,
                                                    const QString& defaultExtension,
                                                    const QString& initialPath) {
    return Show(parent, {TMode::Save, filter, defaultExtension, initialPath});
}

QStringList TFileDialog::NameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << QStringLiteral("%1 (%2)").arg(parts[i], CaseFreePatterns(parts[i + 1]));
    return filters;
}

std::optional<QString> TFileDialog::Show(QWidget* parent, const TRequest& request) {
    if (TestAnswerer())
        return TestAnswerer()(request);
    QFileDialog dialog(parent);
    dialog.setAcceptMode(request.Mode == TMode::Open ? QFileDialog::AcceptOpen
                                                     : QFileDialog::AcceptSave);
    dialog.setFileMode(request.Mode == TMode::Open ? QFileDialog::ExistingFile
                                                   : QFileDialog::AnyFile);
    dialog.setNameFilters(NameFilters(request.Filter));
    QString extension = request.DefaultExtension;
    if (extension.startsWith(QLatin1Char('.')))
        extension.remove(0, 1);
    dialog.setDefaultSuffix(extension);
    if (!request.InitialPath.isEmpty())
        dialog.selectFile(request.InitialPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

void TFileDialog::SetTestAnswerer(TAnswerer answerer) {
    TestAnswerer() = std::move(answerer);
}
