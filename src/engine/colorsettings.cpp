#include "engine/colorsettings.h"

#include <QCoreApplication>

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <optional>

#include "engine/nearest.h"
#include "imagelib/regularfile.h"
#include "imagelib/replacingfile.h"

namespace tessora {
namespace {

constexpr std::int64_t kCountBytes = 4;
constexpr std::int64_t kColourBytes = 3;

void appendInt32(QByteArray& bytes, std::int32_t value) {
    char le[4];
    qToLittleEndian(value, le);
    bytes.append(le, 4);
}

std::int32_t int32At(const char* bytes) {
    return qFromLittleEndian<std::int32_t>(bytes);
}

// Where the parts of a well-formed file lie.
struct Layout {
    std::int64_t flags = 0;
    std::int64_t colours = 0;
    std::int64_t flagsAt() const { return kCountBytes; }
    std::int64_t coloursAt() const { return 2 * kCountBytes + flags; }
    std::int64_t fileSize() const { return coloursAt() + kColourBytes * colours; }
};

// The second count's position for `flags`, when a file of `size` bytes can hold it.
std::optional<std::int64_t> colourCountAt(std::int32_t flags, std::int64_t size) {
    if (flags < 0 || kCountBytes + flags + kCountBytes > size) return std::nullopt;
    return kCountBytes + flags;
}

std::optional<Layout> layoutFor(std::int32_t flags, std::int32_t colours, std::int64_t size) {
    const Layout layout{flags, colours};
    if (colours < 0 || layout.fileSize() != size) return std::nullopt;
    return layout;
}

std::int64_t appliedTicks(const Layout& layout, std::span<bool> ticks) {
    return std::min<std::int64_t>(layout.flags, static_cast<std::int64_t>(ticks.size()));
}

std::int64_t appliedColours(const Layout& layout) {
    return std::min<std::int64_t>(layout.colours, kPaletteEntries);
}

// Applies ticks and colours read from `flagBytes` (the first flags) and `colourBytes` (the
// first colours) of a well-formed file.
void applyParts(const Layout& layout, const char* flagBytes, const char* colourBytes,
                std::span<bool> ticks, LPAL& pal) {
    const std::int64_t tickCount = appliedTicks(layout, ticks);
    for (std::int64_t i = 0; i < tickCount; ++i)
        ticks[i] = flagBytes[i] != 0;
    const std::int64_t colourCount = appliedColours(layout);
    for (std::int64_t i = 0; i < colourCount; ++i) {
        const char* rgb = colourBytes + kColourBytes * i;
        pal.rgb0[i].peRed = static_cast<std::uint8_t>(rgb[0]);
        pal.rgb0[i].peGreen = static_cast<std::uint8_t>(rgb[1]);
        pal.rgb0[i].peBlue = static_cast<std::uint8_t>(rgb[2]);
    }
}

ColorSettingsError openError(FileOpenError error) {
    switch (error) {
        case FileOpenError::None:
            return ColorSettingsError::None;
        case FileOpenError::NotFound:
            return ColorSettingsError::NotFound;
        case FileOpenError::NotRegular:
            return ColorSettingsError::NotRegularFile;
        case FileOpenError::CannotOpen:
            break;
    }
    return ColorSettingsError::CannotOpen;
}

// `count` bytes at `offset`, or nothing when the file cannot give them all.
std::optional<QByteArray> bytesAt(QFile& file, std::int64_t offset, std::int64_t count) {
    QByteArray bytes(static_cast<qsizetype>(count), Qt::Uninitialized);
    if (readAt(file, static_cast<std::uint64_t>(offset), bytes.data(),
               static_cast<std::size_t>(count)) != count) {
        return std::nullopt;
    }
    return bytes;
}

std::optional<std::int32_t> countAt(QFile& file, std::int64_t offset) {
    const auto bytes = bytesAt(file, offset, kCountBytes);
    if (!bytes) return std::nullopt;
    return int32At(bytes->constData());
}

ColorSettingsError readOpenFile(QFile& file, std::span<bool> ticks, LPAL& pal) {
    const std::int64_t size = file.size();
    const auto flags = countAt(file, 0);
    const auto colourCountOffset = flags ? colourCountAt(*flags, size) : std::nullopt;
    const auto colours =
        colourCountOffset ? countAt(file, *colourCountOffset) : std::optional<std::int32_t>();
    const auto layout = colours ? layoutFor(*flags, *colours, size) : std::nullopt;
    if (!layout) return ColorSettingsError::NotColorSettings;
    const auto flagBytes = bytesAt(file, layout->flagsAt(), appliedTicks(*layout, ticks));
    const auto colourBytes =
        bytesAt(file, layout->coloursAt(), kColourBytes * appliedColours(*layout));
    if (!flagBytes || !colourBytes) return ColorSettingsError::NotColorSettings;
    applyParts(*layout, flagBytes->constData(), colourBytes->constData(), ticks, pal);
    return ColorSettingsError::None;
}

}  // namespace

QString colorSettingsErrorText(ColorSettingsError error) {
    switch (error) {
        case ColorSettingsError::None:
            return QString();
        case ColorSettingsError::NotFound:
            return QCoreApplication::translate("ColorSettings", "Die Datei wurde nicht gefunden.");
        case ColorSettingsError::NotRegularFile:
            return QCoreApplication::translate("ColorSettings", "Das ist keine gewöhnliche Datei.");
        case ColorSettingsError::CannotOpen:
            return QCoreApplication::translate(
                "ColorSettings", "Die Datei kann nicht geöffnet werden (fehlende Leserechte?).");
        case ColorSettingsError::NotColorSettings:
            return QCoreApplication::translate(
                "ColorSettings",
                "Die Datei ist keine Farbeinstellungsdatei oder unvollständig. Es wurde nichts "
                "geändert.");
        case ColorSettingsError::CannotWrite:
            return QCoreApplication::translate(
                "ColorSettings",
                "Die Datei konnte nicht vollständig geschrieben werden. Eine vorhandene Datei "
                "bleibt unverändert.");
        case ColorSettingsError::NotRegularTarget:
            return QCoreApplication::translate(
                "ColorSettings",
                "Das Ziel ist keine gewöhnliche Datei und wird nicht überschrieben.");
    }
    return QString();
}

QByteArray colorSettingsBytes(std::span<const bool> ticks, const LPAL& pal) {
    const int entries = std::min<int>(pal.num, kPaletteEntries);
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(8 + ticks.size() + 3 * static_cast<std::size_t>(entries)));
    appendInt32(bytes, static_cast<std::int32_t>(ticks.size()));
    for (const bool ticked : ticks)
        bytes.append(static_cast<char>(ticked ? 1 : 0));
    appendInt32(bytes, entries);
    for (int i = 0; i < entries; ++i) {
        bytes.append(static_cast<char>(pal.rgb0[i].peRed));
        bytes.append(static_cast<char>(pal.rgb0[i].peGreen));
        bytes.append(static_cast<char>(pal.rgb0[i].peBlue));
    }
    return bytes;
}

bool applyColorSettings(QByteArrayView bytes, std::span<bool> ticks, LPAL& pal) {
    const std::int64_t size = bytes.size();
    if (size < kCountBytes) return false;
    const std::int32_t flags = int32At(bytes.data());
    const auto colourCountOffset = colourCountAt(flags, size);
    if (!colourCountOffset) return false;
    const auto layout = layoutFor(flags, int32At(bytes.data() + *colourCountOffset), size);
    if (!layout) return false;
    applyParts(*layout, bytes.data() + layout->flagsAt(), bytes.data() + layout->coloursAt(), ticks,
               pal);
    return true;
}

ColorSettingsError writeColorSettingsFile(const QString& fileName, std::span<const bool> ticks,
                                          const LPAL& pal) {
    ReplacingFile file(fileName);
    switch (file.open()) {
        case ReplaceError::None:
            break;
        case ReplaceError::NotRegularTarget:
            return ColorSettingsError::NotRegularTarget;
        default:
            return ColorSettingsError::CannotWrite;
    }
    const QByteArray bytes = colorSettingsBytes(ticks, pal);
    if (file.device().write(bytes) != bytes.size()) return ColorSettingsError::CannotWrite;
    return file.commit() == ReplaceError::None ? ColorSettingsError::None
                                               : ColorSettingsError::CannotWrite;
}

ColorSettingsError readColorSettingsFile(const QString& fileName, std::span<bool> ticks,
                                         LPAL& pal) {
    QFile file;
    if (const FileOpenError error = openRegularFile(fileName, file); error != FileOpenError::None)
        return openError(error);
    return readOpenFile(file, ticks, pal);
}

bool saveColorSettings(const QString& fileName, std::span<const bool> ticks, const LPAL& pal) {
    return writeColorSettingsFile(fileName, ticks, pal) == ColorSettingsError::None;
}

bool openColorSettings(const QString& fileName, std::span<bool> ticks, LPAL& pal) {
    return readColorSettingsFile(fileName, ticks, pal) == ColorSettingsError::None;
}

}  // namespace tessora
