#pragma once
// Building small picture files byte by byte, for inputs our own writers never produce.

#include <QByteArray>
#include <cstdint>
#include <initializer_list>
#include <span>

namespace tessora::test {

class FileBytes {
  public:
    FileBytes& u8(int v) {
        bytes_.append(static_cast<char>(v));
        return *this;
    }
    FileBytes& u8s(std::initializer_list<int> values) {
        for (const int v : values)
            u8(v);
        return *this;
    }
    FileBytes& le16(int v) { return u8(v & 0xFF).u8((v >> 8) & 0xFF); }
    FileBytes& be16(int v) { return u8((v >> 8) & 0xFF).u8(v & 0xFF); }
    FileBytes& be32(std::uint32_t v) {
        return be16(static_cast<int>(v >> 16)).be16(static_cast<int>(v & 0xFFFF));
    }
    FileBytes& text(const char* s) {
        bytes_.append(s);
        return *this;
    }
    FileBytes& zeros(int count) {
        bytes_.append(QByteArray(count, '\0'));
        return *this;
    }
    FileBytes& bytes(const QByteArray& more) {
        bytes_.append(more);
        return *this;
    }
    // An IFF chunk: id, length, data and the pad byte after an odd length.
    FileBytes& chunk(const char* id, const QByteArray& data) {
        text(id).be32(static_cast<std::uint32_t>(data.size())).bytes(data);
        if (data.size() % 2 != 0) u8(0);
        return *this;
    }

    const QByteArray& data() const { return bytes_; }
    std::span<const std::uint8_t> span() const {
        return {reinterpret_cast<const std::uint8_t*>(bytes_.constData()),
                static_cast<std::size_t>(bytes_.size())};
    }

  private:
    QByteArray bytes_;
};

// "FORM" <length> <type> around the given chunks.
inline QByteArray iffForm(const char* type, const QByteArray& chunks) {
    return FileBytes()
        .text("FORM")
        .be32(static_cast<std::uint32_t>(chunks.size() + 4))
        .text(type)
        .bytes(chunks)
        .data();
}

// A BMHD chunk's 20 bytes.
inline QByteArray bitmapHeader(int width, int height, int planes, int masking = 0,
                               int compression = 0) {
    return FileBytes()
        .be16(width)
        .be16(height)
        .zeros(4)
        .u8s({planes, masking, compression, 0})
        .zeros(2)
        .u8s({1, 1})
        .be16(width)
        .be16(height)
        .data();
}

// A PCX header: version 5, 128 bytes; the 16 header colours are 0..15 as grey steps of 17.
inline FileBytes pcxHeader(int bitsPerPixel, int planes, int width, int height, int bytesPerLine,
                           int encoding = 1) {
    FileBytes b;
    b.u8s({0x0A, 5, encoding, bitsPerPixel})
        .le16(0)
        .le16(0)
        .le16(width - 1)
        .le16(height - 1)
        .le16(72)
        .le16(72);
    for (int i = 0; i < 16; ++i)
        b.u8s({i * 17, i * 17, i * 17});
    b.u8(0).u8(planes).le16(bytesPerLine).le16(1).zeros(58);
    return b;
}

// A closing 256-colour PCX palette: entry i is (i, 255 - i, i / 2).
inline QByteArray pcxPalette() {
    FileBytes b;
    b.u8(0x0C);
    for (int i = 0; i < 256; ++i)
        b.u8s({i, 255 - i, i / 2});
    return b.data();
}

inline FileBytes tgaHeader(int colourMapType, int imageType, int mapFirst, int mapLength,
                           int mapBits, int width, int height, int pixelBits, int descriptor = 0) {
    FileBytes b;
    b.u8s({0, colourMapType, imageType}).le16(mapFirst).le16(mapLength).u8(mapBits).le16(0).le16(0);
    b.le16(width).le16(height).u8(pixelBits).u8(descriptor);
    return b;
}

// A run-length coded bitmap (RLE8 for 8 bits, RLE4 for 4): file header, 40-byte info header,
// a grey colour table (entry i is grey i * 17 for 4 bits, i for 8 bits), then the stream.
inline QByteArray bmpRle(int bits, int width, int height, const QByteArray& stream,
                         int coloursUsed = 0) {
    const int entries = coloursUsed > 0 ? coloursUsed : 1 << bits;
    const int pixelsAt = 14 + 40 + 4 * entries;
    FileBytes b;
    b.text("BM")
        .le16(pixelsAt + static_cast<int>(stream.size()))
        .le16(0)
        .zeros(4)
        .le16(pixelsAt)
        .le16(0);
    b.le16(40)
        .le16(0)
        .le16(width & 0xFFFF)
        .le16((width >> 16) & 0xFFFF)
        .le16(height & 0xFFFF)
        .le16((height >> 16) & 0xFFFF);
    b.le16(1)
        .le16(bits)
        .le16(bits == 8 ? 1 : 2)
        .le16(0)
        .le16(static_cast<int>(stream.size()))
        .le16(0)
        .zeros(8);
    b.le16(coloursUsed).le16(0).zeros(4);
    for (int i = 0; i < entries; ++i) {
        const int v = bits == 8 ? i : i * 17;
        b.u8s({v, v, v, 0});
    }
    return b.bytes(stream).data();
}

}  // namespace tessora::test
