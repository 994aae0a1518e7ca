#include "imagelib/codecs/byteio.h"

namespace tessora {

std::span<const std::uint8_t> ByteReader::take(std::size_t count) {
    if (failed_ || count > remaining()) {
        failed_ = true;
        position_ = bytes_.size();
        return {};
    }
    const auto part = bytes_.subspan(position_, count);
    position_ += count;
    return part;
}

std::uint8_t ByteReader::u8() {
    const auto b = take(1);
    return b.empty() ? 0 : b[0];
}

std::uint16_t ByteReader::le16() {
    const auto b = take(2);
    return b.empty() ? 0 : loadLe16(b.data());
}

std::uint32_t ByteReader::le32() {
    const auto b = take(4);
    return b.empty() ? 0 : loadLe32(b.data());
}

std::uint16_t ByteReader::be16() {
    const auto b = take(2);
    return b.empty() ? 0 : loadBe16(b.data());
}

std::uint32_t ByteReader::be32() {
    const auto b = take(4);
    return b.empty() ? 0 : loadBe32(b.data());
}

void ByteSink::le16(std::uint32_t value) {
    u8(static_cast<std::uint8_t>(value));
    u8(static_cast<std::uint8_t>(value >> 8));
}

void ByteSink::le32(std::uint32_t value) {
    le16(value & 0xFFFF);
    le16(value >> 16);
}

void ByteSink::be16(std::uint32_t value) {
    u8(static_cast<std::uint8_t>(value >> 8));
    u8(static_cast<std::uint8_t>(value));
}

void ByteSink::be32(std::uint32_t value) {
    be16(value >> 16);
    be16(value & 0xFFFF);
}

void ByteSink::bytes(std::span<const std::uint8_t> data) {
    buffer_.insert(buffer_.end(), data.begin(), data.end());
    flushIfFull();
}

void ByteSink::zeros(std::size_t count) {
    buffer_.insert(buffer_.end(), count, 0);
    flushIfFull();
}

bool ByteSink::flush() {
    if (!buffer_.empty() && ok_) {
        const auto size = static_cast<qint64>(buffer_.size());
        ok_ = device_.write(reinterpret_cast<const char*>(buffer_.data()), size) == size;
        written_ += buffer_.size();
    }
    buffer_.clear();
    return ok_;
}

void ByteSink::patch(std::uint64_t at, const std::uint8_t (&value)[4]) {
    if (!flush()) return;
    const qint64 back = device_.pos();
    ok_ = device_.seek(start_ + static_cast<qint64>(at)) &&
          device_.write(reinterpret_cast<const char*>(value), 4) == 4 && device_.seek(back);
}

void ByteSink::patchBe32(std::uint64_t at, std::uint32_t value) {
    const std::uint8_t b[4] = {
        static_cast<std::uint8_t>(value >> 24), static_cast<std::uint8_t>(value >> 16),
        static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
    patch(at, b);
}

void ByteSink::patchLe32(std::uint64_t at, std::uint32_t value) {
    const std::uint8_t b[4] = {
        static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
        static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    patch(at, b);
}

}  // namespace tessora
