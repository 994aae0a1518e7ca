// Writes the seed corpus of every fuzz target: small pictures made by our own writers, colour
// settings files and projects as the program writes them, and a few deliberately odd but valid
// variants.
// Usage: tessora-make-seeds <corpus folder>. Run it again only to change the seeds on purpose.

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <cstdio>
#include <functional>
#include <vector>

#include "engine/catalogue.h"
#include "engine/colorsettings.h"
#include "engine/gplpalette.h"
#include "engine/project.h"
#include "engine/rangelibrary.h"
#include "imagelib/codecs/bmp.h"
#include "imagelib/codecs/dibaccess.h"
#include "imagelib/codecs/gif.h"
#include "imagelib/codecs/iffpbm.h"
#include "imagelib/codecs/ilbm.h"
#include "imagelib/codecs/pcx.h"
#include "imagelib/codecs/tga.h"
#include "imagelib/qimageconvert.h"

using namespace tessora;

namespace {

using Writer = ImageError (*)(const dib&, QIODevice&, const ProgressFn&);

struct Picture {
    const char* name;
    dib d{};
};

// A red "F" on blue with a white and a black corner: 24 bits, five colours.
dib chartPicture(int width, int height) {
    dib d{};
    newdib(&d, width, height, 24, nullptr, 0);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool inF = x == 1 || (y == 1 && x < width - 2) || (y == height / 2 && x < 4);
            Rgb c = inF ? Rgb{220, 30, 10} : Rgb{20, 40, 200};
            if (x == width - 1 && y == 0) c = Rgb{255, 255, 255};
            if (x == width - 1 && y == height - 1) c = Rgb{0, 0, 0};
            row[3 * x] = c.r;
            row[3 * x + 1] = c.g;
            row[3 * x + 2] = c.b;
        }
        writeRgbRow(d, y, row.data());
    }
    return d;
}

dib indexedPicture(int width, int height, int bits) {
    dib d{};
    newdib(&d, width, height, bits, nullptr, 0);
    const int colours = 1 << bits;
    for (int i = 0; i < colours; ++i) {
        setDibColour(
            d, i,
            Rgb{static_cast<std::uint8_t>(i * 37 + 11), static_cast<std::uint8_t>(255 - i * 5),
                static_cast<std::uint8_t>(i * 91)});
    }
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            row[x] = static_cast<std::uint8_t>((x + y * width + 1) % colours);
        writeIndexRow(d, y, row.data());
    }
    return d;
}

// More than 256 colours, so the writers take their true-colour layouts.
dib manyColours(int width, int height) {
    dib d{};
    newdib(&d, width, height, 24, nullptr, 0);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            row[3 * x] = static_cast<std::uint8_t>(x * 15);
            row[3 * x + 1] = static_cast<std::uint8_t>(y * 15);
            row[3 * x + 2] = static_cast<std::uint8_t>(x * 7 + y * 13);
        }
        writeRgbRow(d, y, row.data());
    }
    return d;
}

QByteArray encode(const dib& d, Writer write) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (write(d, buffer, nullptr) != ImageError::None) return {};
    return bytes;
}

QByteArray encodeWithQt(const dib& d, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(100);
    if (!writer.write(QImageFromDib(d))) return {};
    return bytes;
}

class Corpus {
  public:
    explicit Corpus(const QString& root) : root_(root) {}

    void put(const QString& target, const QString& name, const QByteArray& bytes) {
        if (bytes.isEmpty()) {
            std::fprintf(stderr, "no bytes for %s/%s\n", qPrintable(target), qPrintable(name));
            failed_ = true;
            return;
        }
        QDir().mkpath(root_ + u'/' + target);
        QFile file(root_ + u'/' + target + u'/' + name);
        failed_ = !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || failed_;
    }
    bool failed() const { return failed_; }

  private:
    QString root_;
    bool failed_ = false;
};

// An RLE4 bitmap, 4 x 2: runs, an absolute run and an end of line; no writer of ours makes one.
QByteArray rle4Bitmap() {
    QByteArray b("BM", 2);
    auto le = [&b](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            b.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    const std::uint8_t stream[] = {4, 0x12, 0, 0, 0, 4, 0x34, 0x56, 0, 0, 0, 1};
    le(14 + 40 + 64 + sizeof stream, 4);
    le(0, 4);
    le(14 + 40 + 64, 4);
    le(40, 4);
    le(4, 4);
    le(2, 4);
    le(1, 2);
    le(4, 2);
    le(2, 4);  // RLE4
    le(sizeof stream, 4);
    le(0, 4);
    le(0, 4);
    le(16, 4);
    le(0, 4);
    for (std::uint32_t i = 0; i < 16; ++i)
        le(i * 0x111111, 4);
    b.append(reinterpret_cast<const char*>(stream), sizeof stream);
    return b;
}

QByteArray pipelineChoices(int breit, int hoch, int rolmod, std::uint64_t ticks) {
    QByteArray b;
    b.append(static_cast<char>(breit - 1));
    b.append(static_cast<char>(hoch - 1));
    b.append(static_cast<char>(rolmod));
    for (int i = 0; i < 8; ++i)
        b.append(static_cast<char>((ticks >> (8 * i)) & 0xFF));
    return b;
}

QByteArray colourSettings(int ticked, int entries) {
    std::array<bool, kBeadColorCount> ticks{};
    for (int i = 0; i < ticked; ++i)
        ticks[static_cast<std::size_t>(i)] = true;
    LPAL pal = StartPalette();
    pal.num = static_cast<std::uint16_t>(entries);
    return colorSettingsBytes(ticks, pal);
}

// Palettes as the program exports them: every colour of each offered range, and a few ticked.
void writePaletteSeeds(Corpus& corpus) {
    std::array<bool, kMaxRangeColors> ticks{};
    ticks.fill(true);
    for (const BeadRange& range : availableRanges(QString())) {
        const QString name = QString::fromStdString(range.name).toLower().remove(u'(').remove(u')');
        corpus.put("gpl", name.simplified().replace(u' ', u'-') + QStringLiteral(".gpl"),
                   gimpPaletteBytes(range, rangePalette(range), ticks));
    }
    std::array<bool, kMaxRangeColors> few{};
    few[0] = few[17] = few[49] = true;
    corpus.put("gpl", "three-ticked.gpl",
               gimpPaletteBytes(standardRange(), rangePalette(standardRange()), few));
}

void writeCodecSeeds(Corpus& corpus, const std::vector<Picture>& pictures) {
    const struct {
        const char* target;
        const char* extension;
        Writer write;
    } codecs[] = {
        {"pcx", ".pcx", writePcx},        {"ilbm", ".iff", writeIlbm},
        {"iffpbm", ".lbm", writeIffPbm},  {"tga", ".tga", writeTga},
        {"bmprle", ".rle", writeBmpRle8},
    };
    for (const auto& codec : codecs) {
        for (const Picture& p : pictures) {
            corpus.put(codec.target, QString::fromLatin1(p.name) + codec.extension,
                       encode(p.d, codec.write));
        }
    }
    corpus.put("bmprle", "rle4-4x2.rle", rle4Bitmap());
}

void writeOpenDibSeeds(Corpus& corpus, const dib& chart, const dib& indexed8) {
    const struct {
        const char* name;
        const dib& picture;
        Writer write;
    } own[] = {
        {"chart.bmp", chart, writeBmp},       {"chart.pcx", chart, writePcx},
        {"chart.iff", chart, writeIlbm},      {"chart.lbm", chart, writeIffPbm},
        {"chart.tga", chart, writeTga},       {"chart.rle", chart, writeBmpRle8},
        {"chart.gif", chart, writeGif},       {"indexed8.bmp", indexed8, writeBmp},
        {"indexed8.gif", indexed8, writeGif},
    };
    for (const auto& seed : own)
        corpus.put("opendib", seed.name, encode(seed.picture, seed.write));
    for (const char* format : {"png", "jpeg", "tiff", "webp", "ppm"})
        corpus.put("opendib", QStringLiteral("chart.") + format, encodeWithQt(chart, format));
    corpus.put("opendib", "indexed8.png", encodeWithQt(indexed8, "png"));
}

// A project with `picture` and a small grid of every bead value and a few outside the range.
QByteArray projectSeed(const dib& picture, int rolmod) {
    ProjectState state;
    state.picture = picture;
    newdib(&state.grid, 9, 8, 8, nullptr, 0);
    for (int i = 0; i < 9 * 8; ++i)
        setpixel(state.grid, i % 9, i / 9, static_cast<std::uint32_t>(i + 5));
    state.pal = StartPalette();
    state.ticks.fill(true);
    state.ticks[0] = false;
    state.notfoundis = 1;
    state.rolmod = rolmod;
    QByteArray bytes;
    projectFileBytes(state, bytes);
    FreeDib(state.grid);
    return bytes;
}

void writeProjectSeeds(Corpus& corpus, const std::vector<Picture>& pictures) {
    corpus.put("project", "chart-7x5.tessora", projectSeed(pictures[0].d, 0));
    corpus.put("project", "mono-5x3.tessora", projectSeed(pictures[1].d, 1));
    corpus.put("project", "eight-bit-4x3.tessora", projectSeed(pictures[3].d, 0));
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    Corpus corpus(QString::fromLocal8Bit(argv[1]));
    std::vector<Picture> pictures = {
        {"chart-7x5", chartPicture(7, 5)},         {"mono-5x3", indexedPicture(5, 3, 1)},
        {"four-bit-3x2", indexedPicture(3, 2, 4)}, {"eight-bit-4x3", indexedPicture(4, 3, 8)},
        {"many-17x16", manyColours(17, 16)},
    };
    writeCodecSeeds(corpus, pictures);
    writeOpenDibSeeds(corpus, pictures[0].d, pictures[3].d);
    writeProjectSeeds(corpus, pictures);
    writePaletteSeeds(corpus);
    corpus.put("colorsettings", "start.frb", colourSettings(64, 64));
    corpus.put("colorsettings", "ten-ticked.frb", colourSettings(10, 64));
    corpus.put("colorsettings", "short.frb", colourSettings(64, 64).left(100));
    corpus.put("pipeline", "chart-nearest.png",
               pipelineChoices(7, 5, 0, ~0ull) + encodeWithQt(pictures[0].d, "png"));
    corpus.put("pipeline", "chart-dither.pcx",
               pipelineChoices(12, 9, 1, 0x00FF00FF00FF00FFull) + encode(pictures[0].d, writePcx));
    corpus.put("pipeline", "many-dither.tga",
               pipelineChoices(5, 20, 1, 0xF0F0F0F0F0F0F0F0ull) + encode(pictures[4].d, writeTga));
    corpus.put("pipeline", "mono-none-ticked.bmp",
               pipelineChoices(3, 3, 0, 0) + encode(pictures[1].d, writeBmp));
    for (Picture& p : pictures)
        FreeDib(p.d);
    return corpus.failed() ? 1 : 0;
}
