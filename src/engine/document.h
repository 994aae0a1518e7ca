#pragma once
// The document: the loaded picture, the bead grid, the chart and the bead palette. The main
// window holds one as a member and lends it to its pages; the command-line front end and the
// tests hold their own. Images are owned here and released in FreeDocument.

#include <QString>
#include <QStringList>
#include <cstdint>

#include "imagelib/dib.h"

namespace tessora {

struct Document {
    QString progpath;  // folder of the program file, ending in a separator
    dib di{};          // the source picture as loaded
    dib di3{};         // the bead grid: 8 bits, pixel = catalogue index + PaletteSlotBase
    dib rdi{};         // the bead chart, 24 bits
    LPAL pal{};        // the bead palette: 64 catalogue colours
    std::int32_t notfoundis =
        0;                     // catalogue index of the first selected colour at the last reduction
    std::int32_t colornr = 0;  // catalogue index picked for bead editing
};

// Releases di, then di3, then rdi.
void FreeDocument(Document& doc);

}  // namespace tessora
