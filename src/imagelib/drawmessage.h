#pragma once
// Messages of the drawing routine. The image library has no widgets, so the window installs a
// handler that shows a message box; until then the text goes to standard error.

#include <QString>
#include <functional>

namespace tessora {

using DrawMessageFn = std::function<void(const QString& text)>;

// Installs `handler` (an empty function restores the default) and returns the previous one.
DrawMessageFn setDrawMessageHandler(DrawMessageFn handler);

void showDrawMessage(const QString& text);

}  // namespace tessora
