#include "output/beadlookup.h"

#include "engine/catalogue.h"
#include "engine/emptypegs.h"

namespace tessora {

int bookCatalogueOf(int value, int notfoundis) {
    if (value == kEmptyPeg) return -1;
    const int catalogue = CatalogueIndexOfPixel(value);
    return catalogue >= 0 ? catalogue : CatalogueIndexOfPixel(notfoundis + PaletteSlotBase);
}

QString bookColourNumber(int catalogue) {
    return QString::fromLatin1(BeadNumbers[static_cast<std::size_t>(catalogue)]);
}

QString bookColourName(int catalogue) {
    return QString::fromUtf8(BeadName(catalogue));
}

int bookColourCount() {
    return kBeadColorCount;
}

int bookSlotOf(int catalogue) {
    return catalogue + PaletteSlotBase;
}

}  // namespace tessora
