#include "imagelib/drawmessage.h"

#include <cstdio>
#include <utility>

namespace tessora {
namespace {

DrawMessageFn& currentHandler() {
    static DrawMessageFn handler;
    return handler;
}

}  // namespace

DrawMessageFn setDrawMessageHandler(DrawMessageFn handler) {
    return std::exchange(currentHandler(), std::move(handler));
}

void showDrawMessage(const QString& text) {
    if (const DrawMessageFn& handler = currentHandler()) {
        handler(text);
        return;
    }
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

}  // namespace tessora
