#pragma once
// The document: the loaded picture, the bead grid, the chart and the bead palette. The main
// window holds one as a member and lends it to its pages; the command-line front end and the
// tests hold their own. Images are owned here and released in FreeDocument.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "engine/beadrange.h"
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
    // Numbers and names of the colours: what the chart cells, the statistics, the colour list
    // and the picker show. Entry i of `pal` is colour i of the range, as edited.
    BeadRange range = standardRange();
    // The colours the colour limit kept at the last calculation, ascending; empty when the limit
    // was off or kept every ticked colour.
    std::vector<int> chosenColors;
};

// Makes `range` the document's range: its start colours become `pal`, the fallback and the
// editing colour go back to its first colour. The caller ticks every colour.
void installRange(Document& doc, BeadRange range);

// Releases di, then di3, then rdi.
void FreeDocument(Document& doc);

}  // namespace tessora
