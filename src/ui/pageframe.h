#pragma once
// The common frame of a page: a header strip with its bold heading and, on the middle pages, a
// light green left column with a decorative picture and a title.

#include <QString>

class QWidget;

namespace tessora {

// Lays the frame out on `page` and returns the body, where the page's own controls go. An empty
// columnTitle gives a page without left column.
QWidget* MakePageFrame(QWidget* page, const QString& heading, const QString& columnTitle,
                       int decorPicture);

}  // namespace tessora
