#pragma once
// The IFF container shared by ILBM (planar) and PBM (chunky) pictures: the FORM, its chunks,
// the bitmap header BMHD and the colour map CMAP.

#include <cstdint>
#include <span>
#include <vector>

#include "imagelib/codecs/byteio.h"
#include "imagelib/codecs/byterun1.h"
#include "imagelib/codecs/dibaccess.h"
#include "imagelib/imageerror.h"

namespace tessora {

struct IffBitmapHeader {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint8_t planes = 0;
    std::uint8_t masking = 0;  // 1: a mask plane follows the planes of each ILBM row
    std::uint8_t compression = 0;
};

constexpr std::uint8_t kIffMaskPlane = 1;
constexpr std::uint8_t kIffUncompressed = 0;
constexpr std::uint8_t kIffByteRun1 = 1;
constexpr std::uint32_t kCamgHam = 0x800;
constexpr std::uint32_t kCamgHalfBright = 0x80;

// What a picture's chunks say, checked against the file: every chunk lies inside the FORM,
// the FORM inside the file, a BMHD comes before the BODY.
struct IffPicture {
    IffBitmapHeader header;
    std::vector<Rgb> colours;
    bool hasColourMap = false;
    std::uint32_t viewModes = 0;  // CAMG
    std::span<const std::uint8_t> body;
};

// True for "FORM" <length> <formType>.
bool recogniseIffForm(std::span<const std::uint8_t> head, const char (&formType)[5]);

ImageError parseIffPicture(std::span<const std::uint8_t> file, const char (&formType)[5],
                           IffPicture* picture);

// Whether the BODY can hold the picture's rows at all, even at the best packing: checked
// before anything is allocated, so a tiny file cannot announce a giant picture.
bool iffBodyCanHold(const IffPicture& picture, std::uint64_t bytesPerRow);

// The BODY's rows one after another, unpacked.
class IffBodyReader {
  public:
    explicit IffBodyReader(const IffPicture& picture)
        : in_(picture.body), decoder_(in_), packed_(picture.header.compression == kIffByteRun1) {}

    // False when the BODY ends before the row is complete.
    bool next(std::span<std::uint8_t> row);

  private:
    ByteReader in_;
    ByteRun1Decoder decoder_;
    bool packed_;
};

// Writing: a chunk's length is patched in when the chunk ends, and odd lengths get their pad.
class IffChunkWriter {
  public:
    IffChunkWriter(ByteSink& sink, const char (&id)[5]);
    void end();

  private:
    ByteSink& sink_;
    std::uint64_t lengthAt_;
};

void writeIffBitmapHeader(ByteSink& sink, const IffBitmapHeader& header);
// A CMAP of 2^bits entries: the palette, then black.
void writeIffColourMap(ByteSink& sink, const std::vector<Rgb>& palette, int bits);

// IFF records sides as 16-bit numbers.
bool fitsIff(const dib& d);

}  // namespace tessora
