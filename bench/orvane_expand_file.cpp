// Expands a UTF-8 template file into a page file as one whole process, for comparing with
// other template tools: orvane_expand_file TEMPLATE VALUES PAGE, where VALUES holds one
// "name<TAB>value" per line.

#include <QFile>

#include <cstdio>

#include "TError.h"
#include "THtmlFileMaker.h"

namespace {

QByteArray ReadAll(const char* path) {
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly)) {
        throw TError("cannot read " + file.fileName());
    }
    return file.readAll();
}

TOutputDataMap ReadValues(const char* path) {
    TOutputDataMap outputs;
    for (const QByteArray& line : ReadAll(path).split('\n')) {
        const qsizetype tab = line.indexOf('\t');
        if (tab > 0) {
            outputs.Insert(QString::fromUtf8(line.left(tab)),
                           TOutputData{QString::fromUtf8(line.mid(tab + 1)), {}, {}});
        }
    }
    return outputs;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s TEMPLATE VALUES PAGE\n", argv[0]);
        return 2;
    }
    try {
        const TOutputDataMap outputs = ReadValues(argv[2]);
        // The template is mapped, not read, so it is neither copied nor held twice.
        QFile templateFile(QString::fromLocal8Bit(argv[1]));
        if (!templateFile.open(QIODevice::ReadOnly)) {
            throw TError("cannot read " + templateFile.fileName());
        }
        const qsizetype size = templateFile.size();
        const uchar* mapped = size > 0 ? templateFile.map(0, size) : nullptr;
        if (size > 0 && !mapped) {
            throw TError("cannot map " + templateFile.fileName());
        }
        const QByteArray page = THtmlFileMaker(outputs).MakeUtf8(
            QByteArray::fromRawData(reinterpret_cast<const char*>(mapped), size));
        QFile out(QString::fromLocal8Bit(argv[3]));
        if (!out.open(QIODevice::WriteOnly) || out.write(page) != page.size()) {
            throw TError("cannot write " + out.fileName());
        }
    } catch (const TError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
