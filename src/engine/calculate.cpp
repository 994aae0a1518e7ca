#include "engine/calculate.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <vector>

#include "engine/colorlimit.h"
#include "engine/emptypegs.h"
#include "engine/nearest.h"
#include "engine/reduce.h"
#include "engine/resample.h"

namespace tessora {
namespace {

constexpr int kStartWidth = 320;
constexpr int kStartHeight = 200;
constexpr int kStartGridWidth = 32;
constexpr int kStartGridHeight = 20;

bool createFilled(dib& image, int width, int height, int bits) {
    newdib(&image, width, height, bits, nullptr, 0);
    if (image.poi == nullptr) return false;
    std::memset(image.poi, 0xFF, image.pmi->biSizeImage);
    return true;
}

// Owns a temporary image of the command and releases it on every way out.
class TemporaryImage {
  public:
    explicit TemporaryImage(const dib& image) : image_(image) {}
    ~TemporaryImage() { FreeDib(image_); }
    TemporaryImage(const TemporaryImage&) = delete;
    TemporaryImage& operator=(const TemporaryImage&) = delete;
    const dib& get() const { return image_; }
    bool empty() const { return image_.poi == nullptr; }

  private:
    dib image_;
};

// Sampling picks whole source pixels, so sampling first and expanding the few sampled ones to
// 24 bits gives the same grid as expanding first, without a 24-bit copy of a large picture.
dib gridImage(const Document& doc, int breit, int hoch, const ProgressFn& progress) {
    if (DibBits(doc.di) == 24) return Resize(doc.di, breit, hoch, progress);
    const TemporaryImage sampled(Resize(doc.di, breit, hoch, progress));
    if (sampled.empty()) return dib{};
    return DepthUpTo(sampled.get(), 24, progress);
}

// The colours the limit keeps, or nothing when it is off or there are no more ticked colours
// than it allows.
std::vector<int> limitedColors(const Document& doc, const dib& grid24,
                               const CalculateInputs& inputs) {
    if (inputs.maxColors <= 0) return {};
    const auto ticked = std::count(inputs.selection.begin(), inputs.selection.end(), true);
    if (ticked <= inputs.maxColors) return {};
    return chooseColors(colorHistogram(grid24), doc.pal, doc.pal.num, inputs.selection,
                        inputs.maxColors);
}

// Beads that stay empty: the transparent ones (when the plane belongs to this picture), then the
// background reached from the border.
BeadMask emptyBeadsOf(const Document& doc, const CalculateInputs& inputs, const dib& grid24) {
    BeadMask mask;
    const AlphaPlane* alpha = inputs.alpha;
    if (inputs.keepTransparentEmpty && alpha != nullptr && alpha->width == DibWidth(doc.di) &&
        alpha->height == DibHeight(doc.di))
        mask = transparentBeads(*alpha, DibWidth(grid24), DibHeight(grid24));
    if (inputs.removeBackground) removeBackground(grid24, *inputs.removeBackground, mask);
    return mask;
}

}  // namespace

EngineError createStartImages(Document& doc) {
    bool created = createFilled(doc.rdi, kStartWidth, kStartHeight, 24);
    created = createFilled(doc.di, kStartWidth, kStartHeight, 24) && created;
    created = createFilled(doc.di3, kStartGridWidth, kStartGridHeight, 8) && created;
    return created ? EngineError::None : EngineError::OutOfMemory;
}

EngineError calculatePattern(Document& doc, const CalculateInputs& inputs,
                             const ProgressFn& progress) {
    if (doc.di.poi == nullptr) return EngineError::NoPicture;
    const int breit = std::clamp(inputs.breit, kMinBeads, kMaxBeads);
    const int hoch = std::clamp(inputs.hoch, kMinBeads, kMaxBeads);
    const TemporaryImage grid24(gridImage(doc, breit, hoch, progress));
    if (grid24.empty()) return EngineError::OutOfMemory;
    std::vector<int> chosen;
    BeadMask empty;
    try {
        chosen = limitedColors(doc, grid24.get(), inputs);
        empty = emptyBeadsOf(doc, inputs, grid24.get());
    } catch (const std::bad_alloc&) {
        return EngineError::OutOfMemory;
    }
    std::array<bool, kPaletteEntries> chosenTicks{};
    std::span<const bool> ticks = inputs.selection;
    if (!chosen.empty()) {
        for (const int c : chosen)
            chosenTicks[static_cast<std::size_t>(c)] = true;
        ticks = std::span<const bool>(chosenTicks)
                    .first(std::min<std::size_t>(inputs.selection.size(), kPaletteEntries));
    }
    int notfoundis = doc.notfoundis;
    const dib beads =
        DepthDownTo(grid24.get(), doc.pal.num, inputs.rolmod, doc.pal, ticks, notfoundis, progress,
                    {inputs.distance, empty.empty() ? nullptr : &empty});
    if (beads.poi == nullptr) return EngineError::OutOfMemory;
    FreeDib(doc.di3);
    doc.di3 = beads;
    doc.notfoundis = notfoundis;
    doc.chosenColors = std::move(chosen);
    return EngineError::None;
}

void replaceSourcePicture(Document& doc, const dib& picture) {
    FreeDib(doc.di);
    doc.di = picture;
}

}  // namespace tessora
