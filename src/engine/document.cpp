#include "engine/document.h"

#include <utility>

namespace tessora {

void FreeDocument(Document& doc) {
    FreeDib(doc.di);
    FreeDib(doc.di3);
    FreeDib(doc.rdi);
}

void installRange(Document& doc, BeadRange range) {
    doc.pal = rangePalette(range);
    doc.range = std::move(range);
    doc.notfoundis = 0;
    doc.colornr = 0;
    doc.chosenColors.clear();
}

}  // namespace tessora
