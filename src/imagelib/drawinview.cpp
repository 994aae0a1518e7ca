#include "imagelib/drawinview.h"

#include "imagelib/painterdevice.h"
#include "imagelib/stretchdrawdib.h"

namespace tessora {

void drawDibInView(QPainter& painter, const QRect& exposed, const QPoint& scrollOrigin,
                   const IntRect& dest, const dib& image, bool halftoneAllowed) {
    PainterDevice device(painter, DeviceKind::Widget, exposed.translated(scrollOrigin),
                         scrollOrigin);
    StretchDrawDib(device, dest.x, dest.y, dest.width, dest.height, image, 0, 0, DibWidth(image),
                   DibHeight(image), halftoneAllowed, kSrcCopy);
}

}  // namespace tessora
