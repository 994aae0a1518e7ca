#include "engine/document.h"

namespace tessora {

void FreeDocument(Document& doc) {
    FreeDib(doc.di);
    FreeDib(doc.di3);
    FreeDib(doc.rdi);
}

}  // namespace tessora
