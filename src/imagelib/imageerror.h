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
    OutOfMemory,
    UnsupportedDepth,
    CannotWrite,
    Empty,
    EmptyFile,
};

QString ImageErrorText(ImageError error);

}  // namespace tessora
