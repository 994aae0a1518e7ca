#pragma once
// Rows of a picture in one of QImage's formats, turned into the record as they arrive: the
// same record as converting the whole QImage at once, without the whole QImage in memory.
// Readers that decode row by row hand each row over as a one-row QImage.

#include <QImage>

#include "imagelib/alphaplane.h"
#include "imagelib/imagelib.h"

namespace tessora {

class QImageRowSink {
  public:
    // Makes the record for rows of `format` with `colorTable` (indexed formats) and returns
    // OutOfMemory when it cannot. See DibFromQImage for `fileBits` and `alpha`.
    ImageError start(QImage::Format format, const QList<QRgb>& colorTable, int width, int height,
                     int fileBits, dib* out, AlphaPlane* alpha, const ProgressFn& progress);
    // Row `y` (top-down) as a one-row image of the format and colour table given to start().
    ImageError put(int y, const QImage& row);

    // The bytes start() allocates for a picture of this format and size, with or without alpha.
    static std::uint64_t recordBytes(QImage::Format format, const QList<QRgb>& colorTable,
                                     int width, int height, int fileBits, bool withAlpha);

  private:
    enum class Kind { Indexed, Gray, TrueColor };

    ImageError putIndexed(int y, const QImage& row);
    ImageError putGray(int y, const QImage& row);
    ImageError putTrueColor(int y, const QImage& row);

    Kind kind_ = Kind::TrueColor;
    int bits_ = 24;
    int width_ = 0, height_ = 0;
    bool hasAlpha_ = false;
    QList<QRgb> table_;  // the indexed table after conversion to Format_Indexed8
    dib* out_ = nullptr;
    std::uint8_t* plane_ = nullptr;
    ProgressFn progress_;
};

}  // namespace tessora
