#include "imagelib/codecs/jpeg.h"

#include <QImage>
#include <array>
#include <cmath>
#include <csetjmp>
#include <cstdio>  // before jpeglib.h, which uses its definitions
#include <memory>
#include <vector>

#include <jpeglib.h>

#include <jerror.h>

#include "imagelib/codecs/dibaccess.h"
#include "imagelib/codecs/rowprogress.h"

namespace tessora {
namespace {

// Chart text and one-bead cells stay sharp at this quality.
constexpr int kQuality = 92;
constexpr int kMaxDimension = 65500;  // libjpeg's limit
constexpr std::size_t kBufferBytes = 1 << 16;

// libjpeg reports errors through a function that must not return: it jumps back to compress().
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void leaveCompression(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void noMessage(j_common_ptr) {}

// Compressed bytes go to the device in blocks; a refused write is remembered and the rest
// dropped, and compress() stops at the next row.
struct Destination {
    jpeg_destination_mgr base;
    QIODevice* device;
    bool failed;
    std::array<JOCTET, kBufferBytes> buffer;
};

Destination& destinationOf(j_compress_ptr info) {
    return *reinterpret_cast<Destination*>(info->dest);
}

void send(Destination& destination, std::size_t bytes) {
    const auto length = static_cast<qint64>(bytes);
    if (!destination.failed &&
        destination.device->write(reinterpret_cast<const char*>(destination.buffer.data()),
                                  length) != length) {
        destination.failed = true;
    }
    destination.base.next_output_byte = destination.buffer.data();
    destination.base.free_in_buffer = destination.buffer.size();
}

void startDestination(j_compress_ptr info) {
    Destination& destination = destinationOf(info);
    destination.base.next_output_byte = destination.buffer.data();
    destination.base.free_in_buffer = destination.buffer.size();
}

boolean sendFullBuffer(j_compress_ptr info) {
    Destination& destination = destinationOf(info);
    send(destination, destination.buffer.size());
    return TRUE;
}

void sendRest(j_compress_ptr info) {
    Destination& destination = destinationOf(info);
    send(destination, destination.buffer.size() - destination.base.free_in_buffer);
}

// Everything libjpeg touches, in plain structs: jumping out of compress() skips no destructor.
struct Compressor {
    jpeg_compress_struct info{};
    ErrorManager error{};
    Destination destination{};
};

// Qt's writer stored grey when every entry of an indexed image's table is grey.
bool isGreyTable(const std::vector<Rgb>& table) {
    for (const Rgb& c : table)
        if (c.r != c.g || c.g != c.b) return false;
    return !table.empty();
}

class JpegRows {
  public:
    explicit JpegRows(const dib& d)
        : image_(d),
          table_(dibPalette(d)),
          grey_(isGreyTable(table_)),
          indices_(grey_ ? static_cast<std::size_t>(DibWidth(d)) : 0) {}

    bool grey() const { return grey_; }
    int components() const { return grey_ ? 1 : 3; }

    void row(int y, std::uint8_t* out) {
        if (!grey_) {
            readRgbRow(image_, y, out);
            return;
        }
        readIndexRow(image_, y, indices_.data());
        for (std::size_t x = 0; x < indices_.size(); ++x)
            out[x] = table_[indices_[x]].r;
    }

  private:
    const dib& image_;
    std::vector<Rgb> table_;
    bool grey_;
    std::vector<std::uint8_t> indices_;
};

// The density a new QImage carries, recorded in the unit Qt's writer chose for it.
void setDensity(jpeg_compress_struct& info) {
    const QImage probe(1, 1, QImage::Format_RGB888);
    const double x = probe.dotsPerMeterX(), y = probe.dotsPerMeterY();
    const auto offWhole = [](double v) { return std::abs(v - std::round(v)); };
    const double offInch = offWhole(x * 0.0254) + offWhole(y * 0.0254);
    const double offCm = (offWhole(x / 100) + offWhole(y / 100)) * 2.54;
    if (offInch < offCm) {
        info.density_unit = 1;
        info.X_density = static_cast<UINT16>(std::lround(x * 2.54 / 100));
        info.Y_density = static_cast<UINT16>(std::lround(y * 2.54 / 100));
    } else {
        info.density_unit = 2;
        info.X_density = static_cast<UINT16>((probe.dotsPerMeterX() + 50) / 100);
        info.Y_density = static_cast<UINT16>((probe.dotsPerMeterY() + 50) / 100);
    }
}

void configure(jpeg_compress_struct& info, const dib& d, const JpegRows& rows) {
    info.image_width = static_cast<JDIMENSION>(DibWidth(d));
    info.image_height = static_cast<JDIMENSION>(DibHeight(d));
    info.input_components = rows.components();
    info.in_color_space = rows.grey() ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    setDensity(info);
    jpeg_set_quality(&info, kQuality, TRUE);
}

bool compress(Compressor& c, const dib& d, JpegRows& rows, std::uint8_t* row,
              RowProgress& progress) {
    if (setjmp(c.error.jump) != 0) return false;
    jpeg_create_compress(&c.info);
    c.info.dest = &c.destination.base;
    configure(c.info, d, rows);
    jpeg_start_compress(&c.info, TRUE);
    JSAMPROW rowPointer = row;
    for (int y = 0; y < DibHeight(d); ++y) {
        rows.row(y, row);
        jpeg_write_scanlines(&c.info, &rowPointer, 1);
        if (c.destination.failed) return false;
        progress.rowDone(y);
    }
    jpeg_finish_compress(&c.info);
    return !c.destination.failed;
}

}  // namespace

ImageError writeJpeg(const dib& d, QIODevice& device, const ProgressFn& progress) {
    if (DibWidth(d) > kMaxDimension || DibHeight(d) > kMaxDimension)
        return ImageError::TooLargeForFormat;
    JpegRows rows(d);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(DibWidth(d)) * 3);
    const auto c = std::make_unique<Compressor>();
    c->info.err = jpeg_std_error(&c->error.base);
    c->error.base.error_exit = leaveCompression;
    c->error.base.output_message = noMessage;
    c->destination.base.init_destination = startDestination;
    c->destination.base.empty_output_buffer = sendFullBuffer;
    c->destination.base.term_destination = sendRest;
    c->destination.device = &device;
    RowProgress progressByRow(progress, DibHeight(d));
    const bool ok = compress(*c, d, rows, row.data(), progressByRow);
    jpeg_destroy_compress(&c->info);
    if (ok) return ImageError::None;
    return c->error.base.msg_code == JERR_OUT_OF_MEMORY ? ImageError::OutOfMemory
                                                        : ImageError::CannotWrite;
}

}  // namespace tessora
