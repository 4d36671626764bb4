// Loading a project file (.PT) whose template is large: a 16 MB page of 64-byte lines with a
// tag every kilobyte and 1000 items (a 22 MB file), and a template of 100 MB of short lines.
// Each case also loads its file once in a child process of its own and reports that
// process's peak resident memory ("peak_MB") beside the file size ("file_MB").
//
//   bench_project_load --load=PATH        loads one project file and exits (the child)
//   bench_project_load --write-inputs=DIR writes both project files into DIR and exits

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "TBase64.h"
#include "TCodePage.h"
#include "TProject.h"

namespace {

constexpr int ItemCount = 1000;

// Lines of 64 bytes and an LF; every 16th line ends in a tag naming one of the items.
QByteArray TaggedPage(qsizetype bytes) {
    const QByteArray text = "<p>Lorem ipsum dolor sit amet, consectetur adipiscing elit.</p>";
    QByteArray page;
    page.reserve(bytes + 128);
    for (int line = 0; page.size() < bytes; ++line) {
        if (line % 16 == 0) {
            page +=
                text.left(44) + "<#p name=n" + QByteArray::number(line / 16 % ItemCount) + ">\n";
        } else {
            page += text + "\n";
        }
    }
    return page;
}

// Lines of 12 to 21 bytes.
QByteArray ShortLinePage(qsizetype bytes) {
    QByteArray page;
    page.reserve(bytes + 64);
    for (int line = 0; page.size() < bytes; ++line)
        page += "<li>" + QByteArray::number(line) + "</li>\n";
    return page;
}

// A project file as the program writes it: code page 932, CR LF, the template as Base64.
QByteArray ProjectFile(const QByteArray& page, int items) {
    QString head = QStringLiteral("[InputItem]\r\nCount=%1\r\n\r\n").arg(items);
    for (int i = 0; i < items; ++i) {
        head += QStringLiteral(
                    "[InputItem%1]\r\nName=n%1\r\nCaption=項目 %1\r\nInputType=0\r\n"
                    "BlankValue=\r\nAllowHtmlTag=0\r\nMaxLength=0\r\nRequired=0\r\n"
                    "NumbersOnly=0\r\n\r\n")
                    .arg(i);
    }
    head += QStringLiteral(
        "[HtmlTemplate]\r\nCount=1\r\n\r\n[HtmlTemplate_0]\r\nName=ページ\r\n"
        "CharCode=0\r\nHtml=");
    const QString tail = QStringLiteral(
        "\r\n\r\n[FTP]\r\nIsUse=0\r\nHost=\r\nUser=\r\nPassword=\r\nDirHtml=\r\nDirImage=\r\n"
        "Port=21\r\n\r\n");
    return TCodePage::Encode(head, TCodePage::Ansi) + TBase64::Encode(page) +
           TCodePage::Encode(tail, TCodePage::Ansi);
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool WriteInputs(const QString& dir) {
    return WriteFile(dir + "/tagged-16mb.PT", ProjectFile(TaggedPage(16 << 20), ItemCount)) &&
           WriteFile(dir + "/short-lines-100mb.PT", ProjectFile(ShortLinePage(100 << 20), 1));
}

class TFixtures {
public:
    TFixtures() {
        if (!WriteInputs(FDir.path()))
            std::abort();
    }
    QString Tagged() const { return FDir.filePath("tagged-16mb.PT"); }
    QString ShortLines() const { return FDir.filePath("short-lines-100mb.PT"); }

private:
    QTemporaryDir FDir;
};

const TFixtures& Fixtures() {
    static const TFixtures fixtures;
    return fixtures;
}

// Peak resident memory in MB of a child process that loads `path` once.
double ChildPeakMb(const QString& path) {
    const QByteArray arg = "--load=" + path.toLocal8Bit();
    const pid_t pid = fork();
    if (pid == 0) {
        execl("/proc/self/exe", "bench_project_load", arg.constData(), nullptr);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return -1;
    }
    return static_cast<double>(usage.ru_maxrss) / 1024;
}

void Load(benchmark::State& state, const QString& path) {
    for (auto _ : state) {
        TProject project;
        project.LoadFromFile(path);
        if (project.HtmlTemplates.GetCount() != 1)
            state.SkipWithError("the template did not load");
    }
    const double fileBytes = static_cast<double>(QFile(path).size());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * fileBytes));
    state.counters["file_MB"] = fileBytes / (1 << 20);
    state.counters["peak_MB"] = ChildPeakMb(path);
}

void BM_LoadProject16MbTemplate(benchmark::State& state) {
    Load(state, Fixtures().Tagged());
}
BENCHMARK(BM_LoadProject16MbTemplate)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadProject100MbShortLines(benchmark::State& state) {
    Load(state, Fixtures().ShortLines());
}
BENCHMARK(BM_LoadProject100MbShortLines)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    const char* load = "--load=";
    if (argc == 2 && std::strncmp(argv[1], load, std::strlen(load)) == 0) {
        TProject project;
        project.LoadFromFile(QString::fromLocal8Bit(argv[1] + std::strlen(load)));
        return project.HtmlTemplates.GetCount() == 1 ? 0 : 1;
    }
    const char* write = "--write-inputs=";
    if (argc == 2 && std::strncmp(argv[1], write, std::strlen(write)) == 0)
        return WriteInputs(QString::fromLocal8Bit(argv[1] + std::strlen(write))) ? 0 : 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
