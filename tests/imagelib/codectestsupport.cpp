#include "codectestsupport.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace tessora::test {
namespace {

void setColour(dib& d, int index, Rgb8 c) {
    const auto r = static_cast<std::uint8_t>(c.r), g = static_cast<std::uint8_t>(c.g),
               b = static_cast<std::uint8_t>(c.b);
    DibColorTable(d)[index] = RgbQuad{b, g, r, 0};
    d.pal.rgb0[index] = PalEntry{r, g, b, 0};
}

std::uint32_t colourValue(Rgb8 c) {
    return static_cast<std::uint32_t>(c.r) | static_cast<std::uint32_t>(c.g) << 8 |
           static_cast<std::uint32_t>(c.b) << 16;
}

bool isInF(int x, int y, int width, int height) {
    const bool stem = x == 1 && y >= 1 && y < height - 1;
    const bool top = y == 1 && x >= 1 && x < width - 1;
    const bool middle = y == height / 2 && x >= 1 && x <= width / 2;
    return stem || top || middle;
}

// Skips white space and comments of a PNM header and reads one number.
std::optional<int> pnmNumber(const QByteArray& bytes, qsizetype& at) {
    while (at < bytes.size()) {
        if (bytes[at] == '#') {
            while (at < bytes.size() && bytes[at] != '\n')
                ++at;
        } else if (std::isspace(static_cast<unsigned char>(bytes[at]))) {
            ++at;
        } else {
            break;
        }
    }
    int value = 0;
    bool any = false;
    while (at < bytes.size() && std::isdigit(static_cast<unsigned char>(bytes[at]))) {
        value = value * 10 + (bytes[at++] - '0');
        any = true;
    }
    if (!any) return std::nullopt;
    return value;
}

}  // namespace

void makeChart(OwnedDib& out, int width, int height, int cell) {
    newdib(&out.d, width * cell, height * cell, 24, nullptr, 0);
    const Rgb8 blue{20, 40, 200}, red{220, 30, 10}, black{0, 0, 0}, white{255, 255, 255};
    for (int y = 0; y < height * cell; ++y) {
        for (int x = 0; x < width * cell; ++x) {
            const int cx = x / cell, cy = y / cell;
            Rgb8 colour = isInF(cx, cy, width, height) ? red : blue;
            if (cx == width - 1 && cy == height - 1) colour = black;
            if (cx == width - 1 && cy == 0) colour = white;
            setpixel(out.d, x, y, colourValue(colour));
        }
    }
}

void makeIndexed(OwnedDib& out, int width, int height, int bits) {
    newdib(&out.d, width, height, bits, nullptr, 0);
    const int colours = 1 << bits;
    for (int i = 0; i < colours; ++i) {
        setColour(out.d, i, Rgb8{(i * 37 + 11) % 256, (255 - i * 5) % 256, (i * 91 + 3) % 256});
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            setpixel(out.d, x, y,
                     static_cast<std::uint32_t>((x + y * width + 1 + (x * y) % 3) % colours));
        }
    }
}

void makeManyColours(OwnedDib& out, int width, int height) {
    newdib(&out.d, width, height, 24, nullptr, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            setpixel(out.d, x, y,
                     colourValue(Rgb8{x * 255 / std::max(1, width - 1),
                                      y * 255 / std::max(1, height - 1), (x * 7 + y * 13) % 256}));
        }
    }
}

Pixels pixelsOf(const dib& d) {
    Pixels p{DibWidth(d), DibHeight(d), {}};
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            const std::uint32_t v = getpixel(d, x, y);
            if (DibBits(d) > 8) {
                p.colours.push_back(Rgb8{static_cast<int>(v & 0xFF),
                                         static_cast<int>((v >> 8) & 0xFF),
                                         static_cast<int>((v >> 16) & 0xFF)});
            } else {
                const PalEntry& e = d.pal.rgb0[v];
                p.colours.push_back(Rgb8{e.peRed, e.peGreen, e.peBlue});
            }
        }
    }
    return p;
}

Difference compare(const Pixels& a, const Pixels& b) {
    Difference difference;
    if (a.width != b.width || a.height != b.height) return Difference{1000, 1000};
    double sum = 0;
    for (std::size_t i = 0; i < a.colours.size(); ++i) {
        for (const int d : {a.colours[i].r - b.colours[i].r, a.colours[i].g - b.colours[i].g,
                            a.colours[i].b - b.colours[i].b}) {
            difference.largest = std::max(difference.largest, std::abs(d));
            sum += std::abs(d);
        }
    }
    difference.mean = a.colours.empty() ? 0 : sum / (3.0 * static_cast<double>(a.colours.size()));
    return difference;
}

QByteArray readAll(const QString& file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

std::span<const std::uint8_t> bytesOf(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
            static_cast<std::size_t>(bytes.size())};
}

bool haveTool(const QString& tool) {
    return !QStandardPaths::findExecutable(tool).isEmpty();
}

std::optional<Pixels> parsePnm(const QByteArray& bytes) {
    if (bytes.size() < 2 || bytes[0] != 'P') return std::nullopt;
    const char kind = bytes[1];
    qsizetype at = 2;
    const auto width = pnmNumber(bytes, at);
    const auto height = pnmNumber(bytes, at);
    const auto maxval = kind == '4' ? std::optional<int>(1) : pnmNumber(bytes, at);
    if (!width || !height || !maxval || *maxval <= 0 || *maxval > 255) return std::nullopt;
    ++at;  // the single white space before the raster
    Pixels p{*width, *height, {}};
    const auto scale = [&](int v) { return v * 255 / *maxval; };
    for (int y = 0; y < p.height; ++y) {
        const qsizetype rowStart = at;
        for (int x = 0; x < p.width; ++x) {
            if (kind == '4') {
                const qsizetype byte = rowStart + x / 8;
                if (byte >= bytes.size()) return std::nullopt;
                const bool black = (static_cast<unsigned char>(bytes[byte]) >> (7 - x % 8)) & 1;
                p.colours.push_back(black ? Rgb8{0, 0, 0} : Rgb8{255, 255, 255});
            } else if (kind == '5') {
                if (at >= bytes.size()) return std::nullopt;
                const int v = scale(static_cast<unsigned char>(bytes[at++]));
                p.colours.push_back(Rgb8{v, v, v});
            } else if (kind == '6') {
                if (at + 2 >= bytes.size()) return std::nullopt;
                const int r = scale(static_cast<unsigned char>(bytes[at]));
                const int g = scale(static_cast<unsigned char>(bytes[at + 1]));
                const int b = scale(static_cast<unsigned char>(bytes[at + 2]));
                at += 3;
                p.colours.push_back(Rgb8{r, g, b});
            } else {
                return std::nullopt;
            }
        }
        if (kind == '4') at = rowStart + (p.width + 7) / 8;
    }
    return p;
}

std::optional<Pixels> readWithNetpbm(const QString& tool, const QString& file, bool* missing) {
    *missing = !haveTool(tool);
    if (*missing) return std::nullopt;
    QProcess process;
    process.start(tool, {file});
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        return std::nullopt;
    }
    return parsePnm(process.readAllStandardOutput());
}

QByteArray writeWithNetpbm(const QString& tool, const QStringList& arguments,
                           const Pixels& picture) {
    QByteArray ppm = QByteArray("P6\n") + QByteArray::number(picture.width) + ' ' +
                     QByteArray::number(picture.height) + "\n255\n";
    for (const Rgb8& c : picture.colours) {
        ppm.append(static_cast<char>(c.r))
            .append(static_cast<char>(c.g))
            .append(static_cast<char>(c.b));
    }
    QProcess process;
    process.start(tool, arguments);
    process.write(ppm);
    process.closeWriteChannel();
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        return {};
    }
    return process.readAllStandardOutput();
}

}  // namespace tessora::test
