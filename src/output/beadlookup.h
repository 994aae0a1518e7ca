#pragma once
// What a bead grid value means in the pattern book: which catalogue colour it is counted as and
// how that colour is labelled. Everything in the book asks here, so a larger catalogue or a
// value for an empty peg changes only this file.

#include <QString>

namespace tessora {

// The catalogue colour a grid value is counted and numbered as, by the chart's rule (a value of
// no catalogue colour counts as `notfoundis`); -1 when the cell holds no bead.
int bookCatalogueOf(int value, int notfoundis);

// Whether a grid cell holds a bead at all; one that does not is drawn as an empty peg.
inline bool isBeadCell(int value, int notfoundis) {
    return bookCatalogueOf(value, notfoundis) >= 0;
}

// The number printed in cells and tables, and the colour's name.
QString bookColourNumber(int catalogue);
QString bookColourName(int catalogue);

// How many catalogue colours the counts of the book distinguish.
int bookColourCount();

// The grid palette slot whose colour shows this catalogue colour.
int bookSlotOf(int catalogue);

}  // namespace tessora
