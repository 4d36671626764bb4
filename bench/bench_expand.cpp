// Throughput of template expansion: a page with one tag per kilobyte naming 1000 entries,
// and a page of plain text without tags.

#include <benchmark/benchmark.h>

#include "THtmlFileMaker.h"

namespace {

constexpr int NameCount = 1000;
constexpr qsizetype TemplateBytes = 4 << 20;

TOutputDataMap Outputs() {
    TOutputDataMap outputs;
    for (int i = 0; i < NameCount; ++i) {
        outputs.Insert(QString("n%1").arg(i), TOutputData{QString("value %1").arg(i), {}, {}});
    }
    return outputs;
}

// Lines of 64 bytes; every 16th line carries a tag in place of its last bytes.
QByteArray Template(bool withTags) {
    const QByteArray text = "<p>Lorem ipsum dolor sit amet, consectetur adipiscing elit.</p>";
    QByteArray page;
    page.reserve(TemplateBytes + 64);
    for (int line = 0; page.size() < TemplateBytes; ++line) {
        if (withTags && line % 16 == 0) {
            const QByteArray tag = "<#p name=n" + QByteArray::number(line / 16 % NameCount) + ">";
            page += text.left(text.size() - tag.size()) + tag + "\n";
        } else {
            page += text + "\n";
        }
    }
    return page;
}

void Expand(benchmark::State& state, bool withTags) {
    const TOutputDataMap outputs = Outputs();
    const THtmlFileMaker maker(outputs);
    const QByteArray page = Template(withTags);
    for (auto _ : state) {
        benchmark::DoNotOptimize(maker.MakeUtf8(page));
    }
    state.SetBytesProcessed(state.iterations() * page.size());
}

void BM_ExpandTagPerKilobyte(benchmark::State& state) {
    Expand(state, true);
}
void BM_ExpandPlainText(benchmark::State& state) {
    Expand(state, false);
}

void BM_ExpandUtf16(benchmark::State& state) {
    const TOutputDataMap outputs = Outputs();
    const QString page = QString::fromUtf8(Template(true));
    for (auto _ : state) {
        benchmark::DoNotOptimize(THtmlFileMaker::MakeHtml(outputs, page));
    }
    state.SetBytesProcessed(state.iterations() * page.size());
}

}  // namespace

BENCHMARK(BM_ExpandTagPerKilobyte)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpandPlainText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpandUtf16)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
