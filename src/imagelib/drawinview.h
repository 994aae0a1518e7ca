#pragma once
// One call for a paint handler: draw a whole image scaled into a view whose logical plane may be
// much larger than the widget that shows it.

#include <QPoint>
#include <QRect>

#include "imagelib/dib.h"
#include "imagelib/intrect.h"

class QPainter;

namespace tessora {

// `painter` paints the widget; the widget's (0, 0) shows the logical point `scrollOrigin`;
// `exposed` is the paint event's rectangle in widget coordinates. `dest` is the image's
// rectangle in logical coordinates. Only the exposed part costs anything.
void drawDibInView(QPainter& painter, const QRect& exposed, const QPoint& scrollOrigin,
                   const IntRect& dest, const dib& image, bool halftoneAllowed);

}  // namespace tessora
