// The whole calculate command as the window runs it: resampling, colour reduction, the chart and
// the statistics lines. "Reused": the chart of the previous run has the same size (the window
// recalculating); "New": the chart is made anew (the first calculation, every tessora-cli run);
// "NewColours": other ticks than the run before, so the nearest-entry index is built anew.

#include <cstring>

#include "benchcases.h"
#include "engine/calculate.h"
#include "engine/chart.h"

namespace tessora::bench {
namespace {

// A document whose source picture is a copy of `picture`.
class BenchDocument {
  public:
    explicit BenchDocument(const dib& picture) {
        createStartImages(doc_);
        doc_.pal = StartPalette();
        dib copy{};
        newdib(&copy, DibWidth(picture), DibHeight(picture), 24, nullptr, 0);
        std::memcpy(copy.poi, picture.poi, picture.pmi->biSizeImage);
        replaceSourcePicture(doc_, copy);
    }
    ~BenchDocument() { FreeDocument(doc_); }
    BenchDocument(const BenchDocument&) = delete;
    BenchDocument& operator=(const BenchDocument&) = delete;
    Document& get() { return doc_; }

  private:
    Document doc_;
};

void calculateAndDraw(Document& doc, const CalculateInputs& inputs) {
    calculatePattern(doc, inputs, {});
    BeadCounts counts{};
    drawChart(doc.di3, inputs.breit, inputs.hoch, doc.notfoundis, doc.rdi, counts);
    const QString statistics = statisticsLines(counts).join(u'\n');
    benchmark::DoNotOptimize(statistics.constData());
}

enum class Change { None, NewChart, NewColours };

void calculate(benchmark::State& state, int rolmod, Change change) {
    const int wide = static_cast<int>(state.range(0));
    const int high = static_cast<int>(state.range(1));
    BenchDocument doc(sourceFor(wide, high));
    auto ticks = allTicked();
    const CalculateInputs inputs{wide, high, rolmod, ticks};
    calculateAndDraw(doc.get(), inputs);
    for (auto _ : state) {
        // Another tick every run: the colours differ from the run before.
        if (change == Change::NewColours) ticks[kBeadColorCount - 1] = !ticks[kBeadColorCount - 1];
        if (change == Change::NewChart) {
            state.PauseTiming();
            FreeDib(doc.get().rdi);
            state.ResumeTiming();
        }
        calculateAndDraw(doc.get(), inputs);
    }
    countBeads(state, std::int64_t{wide} * high);
}

void BM_Calculate_Nearest_Reused(benchmark::State& state) {
    calculate(state, 0, Change::None);
}
void BM_Calculate_Dither_Reused(benchmark::State& state) {
    calculate(state, 1, Change::None);
}
void BM_Calculate_Nearest_New(benchmark::State& state) {
    calculate(state, 0, Change::NewChart);
}
void BM_Calculate_Dither_New(benchmark::State& state) {
    calculate(state, 1, Change::NewChart);
}
void BM_Calculate_Nearest_NewColours(benchmark::State& state) {
    calculate(state, 0, Change::NewColours);
}
void BM_Calculate_Dither_NewColours(benchmark::State& state) {
    calculate(state, 1, Change::NewColours);
}
BENCHMARK(BM_Calculate_Nearest_Reused)->Apply(beadSizes);
BENCHMARK(BM_Calculate_Dither_Reused)->Apply(beadSizes);
BENCHMARK(BM_Calculate_Nearest_New)->Apply(beadSizes);
BENCHMARK(BM_Calculate_Dither_New)->Apply(beadSizes);
BENCHMARK(BM_Calculate_Nearest_NewColours)->Apply(beadSizes);
BENCHMARK(BM_Calculate_Dither_NewColours)->Apply(beadSizes);

}  // namespace
}  // namespace tessora::bench
