#pragma once
// The common frame of a page: a header strip with its bold heading and, on the middle pages, a
// light green left column with a decorative picture and a title.

#include <QString>

class QWidget;

namespace tessora {

struct PageParts {
    QWidget* page;  // the whole page, to add to the page control
    QWidget* body;  // where the page's own controls go
};

// An empty columnTitle gives a page without left column.
PageParts MakePage(const QString& heading, const QString& columnTitle, int decorPicture);

}  // namespace tessora
