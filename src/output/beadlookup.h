#pragma once
// What a bead grid value means in the pattern book: which colour of the pattern's range it is
// counted as and how that colour is labelled. Everything in the book asks here.

#include <QString>

#include "output/beadpattern.h"

namespace tessora {

// The range colour a grid value is counted and numbered as, by the chart's rule (a value of no
// range colour counts as the pattern's `notfoundis`); -1 when the cell holds no bead.
int bookColourOf(const BeadPattern& pattern, int value);

// Whether a grid cell holds a bead at all; one that does not is drawn as an empty peg.
inline bool isBeadCell(const BeadPattern& pattern, int value) {
    return bookColourOf(pattern, value) >= 0;
}

// The number printed in cells and tables, and the colour's name.
QString bookColourNumber(const BeadRange& range, int colour);
QString bookColourName(const BeadRange& range, int colour);

// The grid palette slot whose colour shows this range colour.
int bookSlotOf(int colour);

}  // namespace tessora
