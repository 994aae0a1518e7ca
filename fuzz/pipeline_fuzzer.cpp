// The whole road of a motif: any small picture (from the input's eleventh byte on) is loaded,
// calculated into a bead grid and drawn as a chart. The first bytes choose the bead counts
// (1 to 32 each way), the method and the ticked colours.

#include <array>

#include "engine/calculate.h"
#include "engine/catalogue.h"
#include "engine/chart.h"
#include "fuzzsupport.h"
#include "imagelib/imagesize.h"

namespace {

using tessora::fuzz::require;

constexpr std::size_t kChoiceBytes = 11;
constexpr int kMaxFuzzBeads = 32;
// The readers have targets of their own; here a picture only has to reach the calculation, and
// a small one goes through sampling, reduction and chart hundreds of times faster. Only the
// loading is held to it; the start images and the chart are larger.
constexpr std::uint64_t kPipelinePixelBudget = std::uint64_t{1} << 14;

struct Choices {
    int breit;
    int hoch;
    int rolmod;
    std::array<bool, tessora::kBeadColorCount> selection{};
};

Choices choicesFrom(const std::uint8_t* data) {
    Choices c{1 + data[0] % kMaxFuzzBeads, 1 + data[1] % kMaxFuzzBeads, data[2] & 1};
    for (std::size_t i = 0; i < c.selection.size(); ++i)
        c.selection[i] = ((data[3 + i / 8] >> (i % 8)) & 1) != 0;
    return c;
}

struct OwnedDocument {
    tessora::Document doc;
    ~OwnedDocument() { tessora::FreeDocument(doc); }
};

void checkGrid(const tessora::dib& grid, const Choices& c) {
    require(DibWidth(grid) == c.breit && DibHeight(grid) == c.hoch, "the grid has the bead size");
    for (int y = 0; y < c.hoch; ++y) {
        for (int x = 0; x < c.breit; ++x) {
            const auto v = static_cast<int>(tessora::getpixel(grid, x, y));
            const int entry = v - tessora::PaletteSlotBase;
            require(v == 0 || (entry >= 0 && entry < tessora::kBeadColorCount &&
                               c.selection[static_cast<std::size_t>(entry)]),
                    "every bead is the fill colour or a ticked one");
        }
    }
}

void checkChart(const tessora::dib& rdi, const tessora::BeadCounts& counts, const Choices& c) {
    const tessora::ChartGeometry g = tessora::chartGeometry(c.breit, c.hoch);
    require(DibWidth(rdi) == g.width && DibHeight(rdi) == g.height, "the chart has its size");
    int beads = 0;
    for (const int n : counts)
        beads += n;
    require(beads == c.breit * c.hoch, "every bead is counted once");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    tessora::fuzz::initialiseFuzzer(true);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kChoiceBytes) return 0;
    const Choices choices = choicesFrom(data);
    OwnedDocument owned;
    tessora::Document& doc = owned.doc;
    require(tessora::createStartImages(doc) == tessora::EngineError::None, "start images");
    doc.pal = tessora::StartPalette();
    tessora::dib picture{};
    const auto progress = [](int p) { require(p >= 0 && p <= 100, "progress within 0 to 100"); };
    tessora::SetPixelBudget(kPipelinePixelBudget);
    const tessora::ImageError loaded = tessora::openDibFromBytes(
        &picture, tessora::fuzz::bytesOf(data + kChoiceBytes, size - kChoiceBytes), progress);
    tessora::SetPixelBudget(tessora::fuzz::kFuzzPixelBudget);
    if (loaded != tessora::ImageError::None) return 0;
    tessora::replaceSourcePicture(doc, picture);
    const tessora::CalculateInputs inputs{choices.breit, choices.hoch, choices.rolmod,
                                          choices.selection};
    require(tessora::calculatePattern(doc, inputs, progress) == tessora::EngineError::None,
            "a loaded picture is calculated");
    checkGrid(doc.di3, choices);
    tessora::BeadCounts counts{};
    require(tessora::drawChart(doc.di3, choices.breit, choices.hoch, doc.notfoundis, doc.rdi,
                               counts) == tessora::EngineError::None,
            "the chart is drawn");
    checkChart(doc.rdi, counts, choices);
    return 0;
}
