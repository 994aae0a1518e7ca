#pragma once
// Why an image could not be read, written or created. Only user-facing code turns these into
// German sentences, through ImageErrorText.

#include <QString>

namespace tessora {

enum class ImageError {
    None,
    FileNotFound,
    CannotOpen,
    UnknownFormat,
    Damaged,
    TooLarge,
    TooLargeForFormat,  // fine for us, but wider or taller than the file format can record
    TooLargeForMemory,  // within the pixel limit, but decoding it would need too much memory
    OutOfMemory,
    UnsupportedDepth,
    CannotWrite,
    Empty,
    EmptyFile,
    NotRegularFile,  // a folder, FIFO, device node or socket
};

QString ImageErrorText(ImageError error);

}  // namespace tessora
