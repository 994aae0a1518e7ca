// The pattern book at true size as a PDF file: 100 x 100 beads on 16 Midi boards, and
// 1000 x 1000 beads on 1225. Peak memory is the whole process's; run this benchmark alone
// (--benchmark_filter=BM_PatternBook) to read it.

#include <sys/resource.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "benchcases.h"
#include "output/patternbook.h"

namespace tessora::bench {
namespace {

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_PatternBook(benchmark::State& state) {
    const int wide = static_cast<int>(state.range(0));
    const int high = static_cast<int>(state.range(1));
    OwnedDib grid;
    *grid.out() = beadGridOf(cachedPhoto(wide, high));
    const BeadPattern pattern = beadPatternOf(grid.get(), wide, high, 0);
    const QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("vorlage.pdf"));
    for (auto _ : state) {
        if (writePatternBookPdf(file, pattern, bookOptionsFor(BeadSize::Midi)) !=
            BookResult::Written) {
            state.SkipWithError("book not written");
        }
    }
    state.counters["peak_MB"] = peakMegabytes();
    state.counters["pdf_MB"] = static_cast<double>(QFileInfo(file).size()) / 1e6;
    countBeads(state, std::int64_t{wide} * high);
}
BENCHMARK(BM_PatternBook)
    ->ArgNames({"wide", "high"})
    ->Args({100, 100})
    ->Args({1000, 1000})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessora::bench
