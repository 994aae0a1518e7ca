#include "imagelib/codecs/iff.h"

#include <algorithm>
#include <cstring>

namespace tessora {
namespace {

constexpr std::size_t kMaxColourMapBytes = 256 * 3;
constexpr std::size_t kBitmapHeaderBytes = 20;

bool idIs(std::span<const std::uint8_t> bytes, const char (&id)[5]) {
    return bytes.size() >= 4 && std::memcmp(bytes.data(), id, 4) == 0;
}

IffBitmapHeader readBitmapHeader(std::span<const std::uint8_t> data) {
    ByteReader in(data);
    IffBitmapHeader header;
    header.width = in.be16();
    header.height = in.be16();
    in.skip(4);  // position on the page
    header.planes = in.u8();
    header.masking = in.u8();
    header.compression = in.u8();
    return header;
}

std::vector<Rgb> readColourMap(std::span<const std::uint8_t> data) {
    std::vector<Rgb> colours(data.size() / 3);
    for (std::size_t i = 0; i < colours.size(); ++i)
        colours[i] = Rgb{data[3 * i], data[3 * i + 1], data[3 * i + 2]};
    return colours;
}

// Applies one chunk to the picture; Damaged where the chunk contradicts the format.
ImageError takeChunk(std::span<const std::uint8_t> id, std::span<const std::uint8_t> data,
                     bool& haveHeader, IffPicture* picture) {
    if (idIs(id, "BMHD") && !haveHeader) {
        if (data.size() < kBitmapHeaderBytes) return ImageError::Damaged;
        picture->header = readBitmapHeader(data);
        haveHeader = true;
    } else if (idIs(id, "CMAP") && !picture->hasColourMap) {
        if (data.size() > kMaxColourMapBytes) return ImageError::Damaged;
        picture->colours = readColourMap(data);
        picture->hasColourMap = true;
    } else if (idIs(id, "CAMG") && data.size() >= 4) {
        picture->viewModes = ByteReader(data).be32();
    } else if (idIs(id, "BODY") && picture->body.data() == nullptr) {
        if (!haveHeader) return ImageError::Damaged;
        picture->body = data;
    }
    return ImageError::None;
}

}  // namespace

bool recogniseIffForm(std::span<const std::uint8_t> head, const char (&formType)[5]) {
    return head.size() >= 12 && idIs(head, "FORM") && idIs(head.subspan(8), formType);
}

ImageError parseIffPicture(std::span<const std::uint8_t> file, const char (&formType)[5],
                           IffPicture* picture) {
    *picture = IffPicture{};
    ByteReader in(file);
    const auto formId = in.take(4);
    const std::uint32_t formLength = in.be32();
    const auto type = in.take(4);
    if (in.failed() || !idIs(formId, "FORM") || formLength < 4) return ImageError::Damaged;
    if (!idIs(type, formType)) return ImageError::UnknownFormat;
    if (formLength - 4 > in.remaining()) return ImageError::Damaged;
    ByteReader chunks(file.subspan(in.position(), formLength - 4));
    bool haveHeader = false;
    while (chunks.remaining() >= 8) {
        const auto id = chunks.take(4);
        const std::uint32_t length = chunks.be32();
        if (length > chunks.remaining()) return ImageError::Damaged;
        const ImageError error = takeChunk(id, chunks.take(length), haveHeader, picture);
        if (error != ImageError::None) return error;
        // The pad byte after an odd length; a missing pad at the very end is forgiven.
        if ((length & 1) != 0 && chunks.remaining() > 0) chunks.skip(1);
    }
    if (!haveHeader || picture->body.data() == nullptr) return ImageError::Damaged;
    return ImageError::None;
}

bool iffBodyCanHold(const IffPicture& picture, std::uint64_t bytesPerRow) {
    const std::uint64_t unpacked = bytesPerRow * picture.header.height;
    // One ByteRun1 run of two bytes unpacks to at most 128 bytes.
    const std::uint64_t least =
        picture.header.compression == kIffByteRun1 ? (unpacked + 127) / 128 * 2 : unpacked;
    return picture.body.size() >= least;
}

bool IffBodyReader::next(std::span<std::uint8_t> row) {
    if (packed_) return decoder_.fill(row);
    const auto bytes = in_.take(row.size());
    if (in_.failed()) return false;
    std::copy(bytes.begin(), bytes.end(), row.begin());
    return true;
}

IffChunkWriter::IffChunkWriter(ByteSink& sink, const char (&id)[5]) : sink_(sink) {
    sink_.bytes(std::span(reinterpret_cast<const std::uint8_t*>(id), 4));
    lengthAt_ = sink_.position();
    sink_.be32(0);
}

void IffChunkWriter::end() {
    const std::uint64_t length = sink_.position() - lengthAt_ - 4;
    sink_.patchBe32(lengthAt_, static_cast<std::uint32_t>(length));
    if ((length & 1) != 0) sink_.u8(0);
}

void writeIffBitmapHeader(ByteSink& sink, const IffBitmapHeader& header) {
    IffChunkWriter chunk(sink, "BMHD");
    sink.be16(header.width);
    sink.be16(header.height);
    sink.be32(0);  // position on the page
    sink.u8(header.planes);
    sink.u8(header.masking);
    sink.u8(header.compression);
    sink.u8(0);
    sink.be16(0);  // transparent colour
    sink.u8(1);    // square pixels
    sink.u8(1);
    sink.be16(std::min<std::uint32_t>(header.width, 0x7FFF));  // page size, signed
    sink.be16(std::min<std::uint32_t>(header.height, 0x7FFF));
    chunk.end();
}

void writeIffColourMap(ByteSink& sink, const std::vector<Rgb>& palette, int bits) {
    IffChunkWriter chunk(sink, "CMAP");
    const std::size_t entries = std::size_t{1} << bits;
    for (std::size_t i = 0; i < entries; ++i) {
        const Rgb c = i < palette.size() ? palette[i] : Rgb{};
        sink.u8(c.r);
        sink.u8(c.g);
        sink.u8(c.b);
    }
    chunk.end();
}

bool fitsIff(const dib& d) {
    return DibWidth(d) <= 0xFFFF && DibHeight(d) <= 0xFFFF;
}

}  // namespace tessora
