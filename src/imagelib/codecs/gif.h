#pragma once
// GIF writing through giflib (reading is Qt's).

#include <QIODevice>

#include "imagelib/imagelib.h"

namespace tessora {

// Indexed images with their own colour table; true-colour images of at most 256 colours with
// the exact table of their colours; of more colours reduced to a fixed palette with error
// diffusion.
ImageError writeGif(const dib& d, QIODevice& device, const ProgressFn& progress);

}  // namespace tessora
