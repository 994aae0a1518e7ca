#pragma once
// Reading file bytes that may end too early, and writing them through a buffer that remembers
// whether any write failed.

#include <QIODevice>
#include <cstdint>
#include <span>
#include <vector>

namespace tessora {

// Values stored at `p`, whose bytes the caller knows to be there.
inline std::uint16_t loadLe16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t loadLe32(const std::uint8_t* p) {
    return p[0] | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
           (std::uint32_t{p[3]} << 24);
}
inline std::uint16_t loadBe16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}
inline std::uint32_t loadBe32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           p[3];
}

// A cursor over a file in memory. Reading past the end yields zeros and marks the reader as
// failed, so a decoder can read a whole header and check once.
class ByteReader {
  public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t position() const { return position_; }
    std::size_t remaining() const { return bytes_.size() - position_; }
    bool failed() const { return failed_; }

    std::uint8_t u8();
    std::uint16_t le16();
    std::uint32_t le32();
    std::uint16_t be16();
    std::uint32_t be32();
    // The next `count` bytes, or an empty span (and failure) when fewer remain.
    std::span<const std::uint8_t> take(std::size_t count);
    void skip(std::size_t count) { take(count); }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
    bool failed_ = false;
};

// Buffered output to a device. Chunk lengths that are known only afterwards are patched in
// place; the device must then be seekable (files and buffers are).
class ByteSink {
  public:
    explicit ByteSink(QIODevice& device) : device_(device) {}
    ~ByteSink() { flush(); }
    ByteSink(const ByteSink&) = delete;
    ByteSink& operator=(const ByteSink&) = delete;

    void u8(std::uint8_t value) {
        buffer_.push_back(value);
        flushIfFull();
    }
    void le16(std::uint32_t value);
    void le32(std::uint32_t value);
    void be16(std::uint32_t value);
    void be32(std::uint32_t value);
    void bytes(std::span<const std::uint8_t> data);
    void zeros(std::size_t count);

    // Offset of the next byte written, counted from where the sink started.
    std::uint64_t position() const { return written_ + buffer_.size(); }
    void patchBe32(std::uint64_t at, std::uint32_t value);
    void patchLe32(std::uint64_t at, std::uint32_t value);

    // Writes out what is buffered; false once any write has failed.
    bool flush();
    bool ok() const { return ok_; }

  private:
    void flushIfFull() {
        if (buffer_.size() >= kFlushSize) flush();
    }
    void patch(std::uint64_t at, const std::uint8_t (&value)[4]);

    static constexpr std::size_t kFlushSize = 1 << 16;
    QIODevice& device_;
    const qint64 start_ = device_.pos();
    std::vector<std::uint8_t> buffer_;
    std::uint64_t written_ = 0;
    bool ok_ = true;
};

}  // namespace tessora
