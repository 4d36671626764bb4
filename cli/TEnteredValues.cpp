#include "TEnteredValues.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QRegularExpression>

#include "TCliError.h"
#include "TInputComboBox.h"
#include "TInputData.h"
#include "TProject.h"

namespace {

[[noreturn]] void Fail(const TInputBase& item, const QString& what) {
    throw TCliError(QStringLiteral("%1 (%2) の値: %3").arg(item.GetName(), item.GetCaption(), what),
                    TCliError::Failure);
}

QString TextOf(const TInputBase& item, const QJsonValue& v) {
    if (v.isUndefined())
        return QString();
    if (!v.isString())
        Fail(item, QStringLiteral("文字列を指定してください。"));
    return v.toString();
}

QDateTime DateTimeOf(const TInputBase& item, const QJsonValue& v) {
    if (v.isUndefined())
        return QDateTime(QDate::currentDate(), QTime(0, 0));
    static const QRegularExpression shape(
        QStringLiteral(R"(^\d{4}-\d{2}-\d{2}T\d{2}:\d{2}:\d{2}(\.\d{1,3})?$)"));
    const QString text = v.toString();
    const QDateTime value = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!v.isString() || !shape.match(text).hasMatch() || !value.isValid()) {
        Fail(item, QStringLiteral("\"YYYY-MM-DDThh:mm:ss[.zzz]\" の形の日時を指定してください。"));
    }
    return value;
}

int32_t ChoiceOf(const TInputComboBox& item, const QJsonValue& v) {
    const int count = item.GetItems().GetCount();
    if (v.isUndefined())
        return count > 0 ? 0 : -1;
    if (v.isString()) {
        for (int n = 0; n < count; ++n) {
            if (item.GetItem(n)->Caption == v.toString())
                return n;
        }
        Fail(item, QStringLiteral("選択肢「%1」がありません。").arg(v.toString()));
    }
    const double index = v.toDouble(-2);
    if (!v.isDouble() || index != static_cast<int32_t>(index) || index < -1 || index >= count) {
        Fail(item,
             QStringLiteral("選択肢の番号(0 から %1)か表示名を指定してください。").arg(count - 1));
    }
    return static_cast<int32_t>(index);
}

std::unique_ptr<TInputData> ImageOf(const TInputBase& item, const QJsonValue& v,
                                    const QString& baseDir) {
    if (v.isUndefined())
        return std::make_unique<TInputDataImage>(&item, QString(), QString());
    const QJsonObject o = v.toObject();
    if (!v.isObject() || !o.value(QStringLiteral("path")).isString() ||
        !(o.value(QStringLiteral("file")).isString() ||
          o.value(QStringLiteral("file")).isUndefined())) {
        Fail(item,
             QStringLiteral("{\"path\": \"...\", \"file\": \"...\"} の形で指定してください。"));
    }
    const QString given = o.value(QStringLiteral("path")).toString();
    const QString path = given.isEmpty() ? given : QDir(baseDir).absoluteFilePath(given);
    const QString file = o.value(QStringLiteral("file")).toString(QFileInfo(given).fileName());
    return std::make_unique<TInputDataImage>(&item, path, file);
}

std::unique_ptr<TInputData> ValueFor(const TInputBase& item, const QJsonValue& v,
                                     const QString& baseDir) {
    switch (item.GetInputType()) {
        case TInputBase::KindEdit:
            return std::make_unique<TInputDataEdit>(&item, TextOf(item, v));
        case TInputBase::KindMemo:
            return std::make_unique<TInputDataMemo>(&item, TextOf(item, v));
        case TInputBase::KindDateTime: {
            const QDateTime value = DateTimeOf(item, v);
            return std::make_unique<TInputDataDateTime>(&item, value, value);
        }
        case TInputBase::KindComboBox:
            return std::make_unique<TInputDataComboBox>(
                &item, ChoiceOf(static_cast<const TInputComboBox&>(item), v));
        default:
            return ImageOf(item, v, baseDir);
    }
}

}  // namespace

QJsonObject TEnteredValues::ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw TCliError(
            QStringLiteral("値のファイル %1 を開けません。%2").arg(path, file.errorString()),
            TCliError::Failure);
    }
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError) {
        throw TCliError(QStringLiteral("値のファイル %1 の JSON が正しくありません(位置 %2): %3")
                            .arg(path)
                            .arg(error.offset)
                            .arg(error.errorString()),
                        TCliError::Failure);
    }
    if (!doc.isObject()) {
        throw TCliError(
            QStringLiteral("値のファイル %1 はタグ名をキーとするオブジェクトにしてください。")
                .arg(path),
            TCliError::Failure);
    }
    return doc.object();
}

std::vector<std::unique_ptr<TInputData>> TEnteredValues::Make(const TProject& project,
                                                              const QJsonObject& values,
                                                              const QString& baseDir) {
    std::vector<std::unique_ptr<TInputData>> entered;
    for (int i = 0; i < project.InputItems.GetCount(); ++i) {
        const TInputBase& item = *project.GetInputItem(i);
        entered.push_back(ValueFor(item, values.value(item.GetName()), baseDir));
    }
    return entered;
}
