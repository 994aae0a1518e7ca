#include "engine/colorsettings.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>
#include <algorithm>
#include <optional>

#include "engine/nearest.h"

namespace tessora {
namespace {

constexpr qint64 kUnmappedReadLimit = qint64{1} << 20;

void appendInt32(QByteArray& bytes, std::int32_t value) {
    char le[4];
    qToLittleEndian(value, le);
    bytes.append(le, 4);
}

// Reads the file front to back; a read past the end yields nothing and moves nowhere.
class ByteReader {
  public:
    explicit ByteReader(QByteArrayView bytes) : bytes_(bytes) {}

    std::optional<std::int32_t> int32() {
        if (remaining() < 4) return std::nullopt;
        const auto value = qFromLittleEndian<std::int32_t>(bytes_.data() + position_);
        position_ += 4;
        return value;
    }
    std::int64_t remaining() const { return bytes_.size() - position_; }
    std::uint8_t byteAt(std::int64_t offset) const {
        return static_cast<std::uint8_t>(bytes_[position_ + offset]);
    }
    // Moves on by `count` bytes, or to the end when fewer remain.
    void skip(std::int64_t count) { position_ += std::min(count, remaining()); }

  private:
    QByteArrayView bytes_;
    std::int64_t position_ = 0;
};

void applyTicks(ByteReader& reader, std::int32_t count, std::span<bool> ticks) {
    if (count <= 0) return;
    const std::int64_t present = std::min<std::int64_t>(count, reader.remaining());
    const std::int64_t applied =
        std::min<std::int64_t>(present, static_cast<std::int64_t>(ticks.size()));
    for (std::int64_t i = 0; i < applied; ++i)
        ticks[i] = reader.byteAt(i) != 0;
    reader.skip(count);
}

void applyColours(ByteReader& reader, std::int32_t count, LPAL& pal) {
    if (count <= 0) return;
    const std::int64_t complete = reader.remaining() / 3;
    const std::int64_t applied = std::min<std::int64_t>({count, complete, kPaletteEntries});
    for (std::int64_t i = 0; i < applied; ++i) {
        PalEntry& entry = pal.rgb0[i];
        entry.peRed = reader.byteAt(3 * i);
        entry.peGreen = reader.byteAt(3 * i + 1);
        entry.peBlue = reader.byteAt(3 * i + 2);
    }
}

}  // namespace

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

void applyColorSettings(QByteArrayView bytes, std::span<bool> ticks, LPAL& pal) {
    ByteReader reader(bytes);
    const auto itemCount = reader.int32();
    if (!itemCount) return;
    applyTicks(reader, *itemCount, ticks);
    const auto entryCount = reader.int32();
    if (!entryCount) return;
    applyColours(reader, *entryCount, pal);
}

bool saveColorSettings(const QString& fileName, std::span<const bool> ticks, const LPAL& pal) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const QByteArray bytes = colorSettingsBytes(ticks, pal);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool openColorSettings(const QString& fileName, std::span<bool> ticks, LPAL& pal) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return false;
    // Only the counts, the first ticks and up to 256 colours are ever read; mapping the file
    // instead of reading it keeps a huge file or count cheap. Files that cannot be mapped
    // (pipes, devices) are read up to a limit.
    const qint64 size = file.size();
    const uchar* mapped = size > 0 ? file.map(0, size) : nullptr;
    if (mapped == nullptr) {
        applyColorSettings(file.read(kUnmappedReadLimit), ticks, pal);
        return true;
    }
    applyColorSettings(QByteArrayView(mapped, size), ticks, pal);
    file.unmap(const_cast<uchar*>(mapped));
    return true;
}

}  // namespace tessora
