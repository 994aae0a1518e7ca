#include "engine/glyphs.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <mutex>
#include <tuple>

namespace tessora {
namespace {

// Keeps each band of a very tall text (a single bead row gets a 15000-pixel cell) small.
constexpr qsizetype kBandBytes = qsizetype{4} << 20;
// Caches are emptied when they grow beyond this many entries.
constexpr std::size_t kCacheLimit = 4096;

QFont chartFont(int pixelSize) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

template <typename Map>
void limit(Map& map) {
    if (map.size() > kCacheLimit) map.clear();
}

class FontCache {
  public:
    // Pixel size of the largest font whose character cell (ascent + descent) is at most
    // `fontHeight` pixels high; at least 1.
    int pixelSizeFor(int fontHeight) {
        const auto found = pixelSizes_.find(fontHeight);
        if (found != pixelSizes_.end()) return found->second;
        // DejaVu Sans has a cell about 1.164 times its pixel size; start just below and walk.
        int size = std::max(1, static_cast<int>(fontHeight / 1.17));
        while (size > 1 && cellHeightAt(size) > fontHeight)
            --size;
        while (cellHeightAt(size + 1) <= fontHeight)
            ++size;
        limit(pixelSizes_);
        pixelSizes_.emplace(fontHeight, size);
        return size;
    }

    int width(const QString& text, int fontHeight) {
        const int size = pixelSizeFor(fontHeight);
        const auto key = std::make_pair(text, size);
        const auto found = widths_.find(key);
        if (found != widths_.end()) return found->second;
        const int advance = QFontMetrics(chartFont(size)).horizontalAdvance(text);
        limit(widths_);
        widths_.emplace(key, advance);
        return advance;
    }

    int fitted(const QString& text, int maxWidth, int cellHeight) {
        const auto key = std::make_tuple(text, maxWidth, cellHeight);
        const auto found = fitted_.find(key);
        if (found != fitted_.end()) return found->second;
        const int height = searchFittingHeight(text, maxWidth, cellHeight);
        limit(fitted_);
        fitted_.emplace(key, height);
        return height;
    }

    std::shared_ptr<const GlyphMask> mask(const QString& text, int fontHeight) {
        const auto key = std::make_pair(text, fontHeight);
        const auto found = masks_.find(key);
        if (found != masks_.end()) return found->second;
        auto rendered = std::make_shared<const GlyphMask>(render(text, pixelSizeFor(fontHeight)));
        limit(masks_);
        masks_.emplace(key, rendered);
        return rendered;
    }

  private:
    int cellHeightAt(int size) {
        const auto found = cellHeights_.find(size);
        if (found != cellHeights_.end()) return found->second;
        const QFontMetrics metrics(chartFont(size));
        const int height = metrics.ascent() + metrics.descent();
        limit(cellHeights_);
        cellHeights_.emplace(size, height);
        return height;
    }

    // Text grows with the font, so the first height from the top that fits is the largest
    // height that fits, found by halving instead of one step per pixel.
    int searchFittingHeight(const QString& text, int maxWidth, int cellHeight) {
        if (cellHeight <= 1 || width(text, cellHeight) <= maxWidth) return std::max(cellHeight, 1);
        int low = 1;            // fits, or is the floor
        int high = cellHeight;  // too wide
        while (high - low > 1) {
            const int middle = low + (high - low) / 2;
            if (width(text, middle) <= maxWidth) {
                low = middle;
            } else {
                high = middle;
            }
        }
        return low;
    }

    static GlyphMask render(const QString& text, int pixelSize) {
        const QFont font = chartFont(pixelSize);
        const QFontMetrics metrics(font);
        GlyphMask mask;
        mask.advance = metrics.horizontalAdvance(text);
        mask.cellHeight = metrics.ascent() + metrics.descent();
        // Room to the right for ink that reaches past the advance.
        const int imageWidth = std::max(1, mask.advance + pixelSize / 2 + 2);
        const int bandRows = static_cast<int>(std::max<qsizetype>(1, kBandBytes / imageWidth));
        mask.rowStart.push_back(0);
        for (int top = 0; top < mask.cellHeight; top += bandRows) {
            const int rows = std::min(bandRows, mask.cellHeight - top);
            QImage band(imageWidth, rows, QImage::Format_Grayscale8);
            band.fill(255);
            {
                QPainter painter(&band);
                painter.setFont(font);
                painter.setPen(Qt::black);
                painter.drawText(QPoint(0, metrics.ascent() - top), text);
            }
            appendSpans(band, mask);
        }
        return mask;
    }

    static void appendSpans(const QImage& band, GlyphMask& mask) {
        const int width = band.width();
        for (int y = 0; y < band.height(); ++y) {
            const uchar* line = band.constScanLine(y);
            int x = skipWhile(line, 0, width, false);
            while (x < width) {
                const int left = x;
                x = skipWhile(line, x, width, true);
                mask.spans.push_back({left, x});
                x = skipWhile(line, x, width, false);
            }
            mask.rowStart.push_back(static_cast<int>(mask.spans.size()));
        }
    }

    // The first pixel from x on that is not ink (ink: true) or that is ink (ink: false); ink is
    // a value below 128, a clear top bit. Eight pixels at a time: the bands of a tall label
    // hold hundreds of megabytes, nearly all of them paper.
    static int skipWhile(const uchar* line, int x, int width, bool ink) {
        constexpr std::uint64_t kTopBits = 0x8080808080808080u;
        for (; x + 8 <= width; x += 8) {
            std::uint64_t eight;
            std::memcpy(&eight, line + x, 8);
            if (((ink ? eight : ~eight) & kTopBits) != 0) break;
        }
        while (x < width && (line[x] < 128) == ink)
            ++x;
        return x;
    }

    std::map<int, int> pixelSizes_;
    std::map<int, int> cellHeights_;
    std::map<std::pair<QString, int>, int> widths_;
    std::map<std::tuple<QString, int, int>, int> fitted_;
    std::map<std::pair<QString, int>, std::shared_ptr<const GlyphMask>> masks_;
};

std::mutex g_cacheMutex;

FontCache& cache() {
    static FontCache instance;
    return instance;
}

}  // namespace

std::shared_ptr<const GlyphMask> textMask(const QString& text, int fontHeight) {
    const std::lock_guard lock(g_cacheMutex);
    return cache().mask(text, std::max(fontHeight, 1));
}

int textWidth(const QString& text, int fontHeight) {
    const std::lock_guard lock(g_cacheMutex);
    return cache().width(text, std::max(fontHeight, 1));
}

int fittedFontHeight(const QString& text, int maxWidth, int cellHeight) {
    const std::lock_guard lock(g_cacheMutex);
    return cache().fitted(text, maxWidth, cellHeight);
}

}  // namespace tessora
