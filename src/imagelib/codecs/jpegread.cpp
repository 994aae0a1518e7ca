#include "imagelib/codecs/jpegread.h"

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <QImage>
#include <array>
#include <csetjmp>
#include <memory>

#include "imagelib/imagesize.h"
#include "imagelib/librarymessages.h"
#include "imagelib/qimagerows.h"
#include "imagelib/qtdecodecost.h"

namespace tessora {
namespace {

constexpr std::size_t kBufferBytes = 4096;

// libjpeg reports errors through a function that must not return: it jumps back to the call
// that set `jump`.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

struct Source {
    jpeg_source_mgr base;
    QIODevice* device;
    std::array<JOCTET, kBufferBytes> buffer;
};

struct Decompressor {
    jpeg_decompress_struct info{};
    ErrorManager error{};
    Source source{};
    bool created = false;
    ~Decompressor() {
        if (created) jpeg_destroy_decompress(&info);
    }
};

void noteMessage(j_common_ptr info) {
    char text[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, text);
    NoteLibraryMessage(QStringLiteral("libjpeg: ") + QString::fromLocal8Bit(text));
}

[[noreturn]] void leaveDecompression(j_common_ptr info) {
    noteMessage(info);
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

Source& sourceOf(j_decompress_ptr info) {
    return *reinterpret_cast<Source*>(info->src);
}

void startSource(j_decompress_ptr) {}

boolean fillBuffer(j_decompress_ptr info) {
    Source& source = sourceOf(info);
    const qint64 got = source.device->read(reinterpret_cast<char*>(source.buffer.data()),
                                           static_cast<qint64>(source.buffer.size()));
    source.base.next_input_byte = source.buffer.data();
    if (got <= 0) {
        // A file that ends early ends in a made-up end marker, as libjpeg advises and Qt does:
        // the picture is kept with its missing part filled in.
        source.buffer[0] = 0xFF;
        source.buffer[1] = JPEG_EOI;
        source.base.bytes_in_buffer = 2;
    } else {
        source.base.bytes_in_buffer = static_cast<std::size_t>(got);
    }
    return TRUE;
}

void skipBytes(j_decompress_ptr info, long count) {
    Source& source = sourceOf(info);
    while (count > static_cast<long>(source.base.bytes_in_buffer)) {
        count -= static_cast<long>(source.base.bytes_in_buffer);
        fillBuffer(info);
    }
    if (count > 0) {
        source.base.next_input_byte += count;
        source.base.bytes_in_buffer -= static_cast<std::size_t>(count);
    }
}

void endSource(j_decompress_ptr) {}

// The functions that call into libjpeg set its jump target; they hold nothing that needs a
// destructor, so a jump back out of libjpeg skips nothing.
bool readHeader(Decompressor& d) {
    if (setjmp(d.error.jump) != 0) return false;
    jpeg_create_decompress(&d.info);
    d.created = true;
    d.info.src = &d.source.base;
    jpeg_read_header(&d.info, TRUE);
    jpeg_calc_output_dimensions(&d.info);
    return true;
}

bool start(Decompressor& d) {
    if (setjmp(d.error.jump) != 0) return false;
    jpeg_start_decompress(&d.info);
    return true;
}

bool readScanline(Decompressor& d, JSAMPROW row) {
    if (setjmp(d.error.jump) != 0) return false;
    jpeg_read_scanlines(&d.info, &row, 1);
    return true;
}

bool finish(Decompressor& d) {
    if (setjmp(d.error.jump) != 0) return false;
    jpeg_finish_decompress(&d.info);
    return true;
}

bool isCmyk(const jpeg_decompress_struct& info) {
    return info.num_components == 4 && info.out_color_space == JCS_CMYK;
}

// libjpeg's coefficients of the whole picture, which it keeps when the file has more than one
// scan (progressive files always do): two bytes for each of the 64 of every block.
std::uint64_t coefficientBytes(j_decompress_ptr info) {
    if (!jpeg_has_multiple_scans(info)) return 0;
    std::uint64_t bytes = 0;
    for (int i = 0; i < info->num_components; ++i) {
        const jpeg_component_info& c = info->comp_info[i];
        const auto roundUp = [](std::uint64_t n, std::uint64_t to) {
            return (n + to - 1) / to * to;
        };
        bytes += roundUp(c.width_in_blocks, static_cast<std::uint64_t>(c.h_samp_factor)) *
                 roundUp(c.height_in_blocks, static_cast<std::uint64_t>(c.v_samp_factor)) *
                 DCTSIZE2 * sizeof(JCOEF);
    }
    return bytes;
}

// One decoded scanline as Qt lays it out: grey bytes, or 0xffRRGGBB words. Qt takes CMYK as
// Adobe writes it, inverted, and multiplies each colour by the black.
void toQtRow(const jpeg_decompress_struct& info, const JSAMPLE* from, QImage& row) {
    const int width = static_cast<int>(info.output_width);
    if (info.output_components == 1) {
        std::copy(from, from + width, row.bits());
        return;
    }
    auto* to = reinterpret_cast<QRgb*>(row.bits());
    if (info.output_components == 3) {
        for (int x = 0; x < width; ++x, from += 3)
            to[x] = qRgb(from[0], from[1], from[2]);
        return;
    }
    for (int x = 0; x < width; ++x, from += 4) {
        const int k = from[3];
        to[x] = qRgb(k * from[0] / 255, k * from[1] / 255, k * from[2] / 255);
    }
}

ImageError decode(Decompressor& d, dib* out, const ProgressFn& progress) {
    const auto width = static_cast<int>(d.info.output_width);
    const auto height = static_cast<int>(d.info.output_height);
    const QImage::Format format =
        d.info.output_components == 1 ? QImage::Format_Grayscale8 : QImage::Format_RGB32;
    const std::uint64_t cost =
        QImageRowSink::recordBytes(format, {}, width, height, 0, false) + coefficientBytes(&d.info);
    if (cost > LoadMemoryBudget()) return ImageError::TooLargeForMemory;
    std::vector<JSAMPLE> samples(static_cast<std::size_t>(width) *
                                 static_cast<std::size_t>(d.info.output_components));
    QImage row(width, 1, format);
    if (row.isNull()) return ImageError::OutOfMemory;
    QImageRowSink sink;
    if (const ImageError error = sink.start(format, {}, width, height, 0, out, nullptr, progress);
        error != ImageError::None) {
        return error;
    }
    if (!start(d))
        return d.error.base.msg_code == JERR_OUT_OF_MEMORY ? ImageError::OutOfMemory
                                                           : ImageError::Damaged;
    for (int y = 0; y < height; ++y) {
        if (!readScanline(d, samples.data())) return ImageError::Damaged;
        toQtRow(d.info, samples.data(), row);
        if (const ImageError error = sink.put(y, row); error != ImageError::None) return error;
    }
    return finish(d) ? ImageError::None : ImageError::Damaged;
}

}  // namespace

bool recogniseJpeg(std::span<const std::uint8_t> head) {
    return head.size() >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF;
}

std::optional<ImageError> readJpegRows(QIODevice& device, dib* out, const ProgressFn& progress) {
    const qint64 startAt = device.pos();
    const auto d = std::make_unique<Decompressor>();
    d->info.err = jpeg_std_error(&d->error.base);
    d->error.base.error_exit = leaveDecompression;
    d->error.base.output_message = noteMessage;
    d->source.base.init_source = startSource;
    d->source.base.fill_input_buffer = fillBuffer;
    d->source.base.skip_input_data = skipBytes;
    d->source.base.resync_to_restart = jpeg_resync_to_restart;
    d->source.base.term_source = endSource;
    d->source.device = &device;
    if (!readHeader(*d)) return ImageError::Damaged;
    const int components = d->info.output_components;
    if (components != 1 && components != 3 && !isCmyk(d->info)) {
        device.seek(startAt);
        return std::nullopt;
    }
    const SizeCheck check = CheckImageSize(d->info.output_width, d->info.output_height, 24);
    if (check == SizeCheck::TooLarge) return ImageError::TooLarge;
    if (check != SizeCheck::Ok) return ImageError::Damaged;
    if (progress) progress(0);
    const ImageError error = decode(*d, out, progress);
    if (progress) progress(0);
    return error;
}

}  // namespace tessora
