#include "TPageJob.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "TAtomicFile.h"
#include "TCliError.h"
#include "TCodePage.h"
#include "TCommandLine.h"
#include "TEnteredValues.h"
#include "TEntryCheck.h"
#include "TInputData.h"

namespace {

[[noreturn]] void Fail(const QString& message) {
    throw TCliError(message, TCliError::Failure);
}

// A template by name, or "#N" for the one at index N.
const THtmlTemplate& FindTemplate(const TProject& project, const QString& wanted) {
    const THtmlTemplateList& list = project.HtmlTemplates;
    if (wanted.startsWith(u'#')) {
        bool ok = false;
        const int index = wanted.mid(1).toInt(&ok);
        if (ok && index >= 0 && index < list.GetCount())
            return *list.Get(index);
    }
    for (int i = 0; i < list.GetCount(); ++i) {
        if (list.Get(i)->Name == wanted)
            return *list.Get(i);
    }
    Fail(QStringLiteral("テンプレート「%1」が見つかりません。").arg(wanted));
}

// Checks every value in item order, then keys them by tag name (the first item wins).
TInputDataMap CheckedValues(const TProject& project, const QString& valuesPath) {
    const QJsonObject json = TEnteredValues::ReadFile(valuesPath);
    auto entered = TEnteredValues::Make(project, json, QFileInfo(valuesPath).absolutePath());
    for (int i = 0; i < project.InputItems.GetCount(); ++i) {
        try {
            CheckEntry(*project.GetInputItem(i), *entered[static_cast<size_t>(i)]);
        } catch (const TError& e) {
            throw TCliError(e.Message(), TCliError::CheckFailed);
        }
    }
    TInputDataMap map;
    for (int i = 0; i < project.InputItems.GetCount(); ++i) {
        map.Insert(project.GetInputItem(i)->GetName(), std::move(entered[static_cast<size_t>(i)]));
    }
    return map;
}

}  // namespace

std::unique_ptr<TProject> LoadProjectFile(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        Fail(QStringLiteral("プロジェクトファイル %1 が見つかりません。").arg(path));
    }
    auto project = std::make_unique<TProject>();
    project->LoadFromFile(path);
    return project;
}

TPageJob::TPageJob(const TCommandLine& line) : FProject(LoadProjectFile(line.Project)) {
    const THtmlTemplate& htmlTemplate = FindTemplate(*FProject, line.Template);
    const TInputDataMap values = CheckedValues(*FProject, line.Values);
    try {
        FPage = GeneratePage(htmlTemplate, values, FFolder.GetPath());
    } catch (const TError& e) {
        Fail(e.Message());
    }
}

QByteArray TPageJob::PageBytes() const {
    return TCodePage::Encode(FPage.Text, FPage.CodePage);
}

QStringList TPageJob::WriteTo(const QString& dir, const QString& pageFile) const {
    if (!QDir().mkpath(dir))
        Fail(QStringLiteral("フォルダ %1 を作成できません。").arg(dir));
    const QDir out(dir);
    QStringList written;
    try {
        TAtomicFile::Write(out.filePath(pageFile), PageBytes());
        written.append(out.filePath(pageFile));
        for (const QString& picture : FPage.Pictures) {
            QFile source(picture);
            if (!source.open(QIODevice::ReadOnly)) {
                Fail(QStringLiteral("画像ファイル %1 を読み込めません。").arg(picture));
            }
            const QString target = out.filePath(QFileInfo(picture).fileName());
            TAtomicFile::Write(target, source.readAll());
            written.append(target);
        }
    } catch (const TCliError&) {
        throw;
    } catch (const TError& e) {
        Fail(e.Message());
    }
    return written;
}
