#include "TCliSessionDialogue.h"

#include <cstdio>

namespace {
void PrintLine(const QString& text) {
    const QByteArray bytes = (text + u'\n').toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
}
}  // namespace

std::optional<QString> TCliSessionDialogue::AskFileName(const QString& caption, const QString&) {
    // Every queued file carries its name; a prompt would mean there is nobody to answer it.
    PrintLine(caption + QStringLiteral(": 名前のないファイルは飛ばしました。"));
    FNotStored = true;
    return std::nullopt;
}

TFtpSessionDialogue::TAnswer TCliSessionDialogue::AskOverwrite(const QString& text) {
    if (FOverwrite)
        return TAnswer::Yes;
    PrintLine(QString(text).replace(u'\n', u' ') +
              QStringLiteral(" → 上書きしないで飛ばしました(--overwrite yes で上書き)。"));
    FNotStored = true;
    return TAnswer::No;
}

TFtpSessionDialogue::TAnswer TCliSessionDialogue::AskContinueAfterError(const QString& text) {
    PrintLine(text);
    FNotStored = true;
    return FKeepGoing ? TAnswer::Yes : TAnswer::No;
}

void TCliSessionDialogue::WarnConnection(const QString& text) {
    PrintLine(text);
    FNotStored = true;
}

void TCliSessionDialogue::Log(const QString& line) {
    PrintLine(line);
}
