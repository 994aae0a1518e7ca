#pragma once
// Every picture of the window is drawn here at run time: tab icons, the decorative pictures of
// the left columns, the picture buttons of the bottom bar, the about picture and the program icon.

#include <QIcon>
#include <QPixmap>

namespace tessora {

QIcon TabIcon(int index);        // 0 to 5
QPixmap DecorPicture(int page);  // the left column's picture of a page
QPixmap AboutPicture(QSize size);
QPixmap WebGlyph();
QIcon ProgramIcon();

enum class PictureButton { About, Exit };
QPixmap ButtonPicture(PictureButton which, bool pressed);

// Colours shared by the pages.
QColor HeaderStripColor();  // red 240, green 202, blue 166
QColor ColumnColor();       // red 192, green 220, blue 192

}  // namespace tessora
