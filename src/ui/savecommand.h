#pragma once
// The save command: the save dialog, the default extension and the library's writer.

#include <QString>
#include <functional>

#include "imagelib/dib.h"

class QFileDialog;
class QWidget;

namespace tessora {

// A name whose last path component has no dot gets the default extension of the chosen file
// type (position 1 to 12); a name with any extension, or ending in a dot, stays as typed.
QString CompleteSaveName(const QString& name, int position);

// The dialog's filter entries, "description (patterns)", from a filter text of
// description|patterns pairs.
QStringList DialogNameFilters(const QString& filterText);

class SaveCommand {
  public:
    // Asks for a file name and type, then writes `chart`; a failure is told with the file name.
    void run(QWidget* owner, const dib& chart, const QString& startFolder,
             const std::function<void(int)>& progress);

  private:
    // Lives with its owner and offers the last name and type again.
    QFileDialog* dialog_ = nullptr;
};

}  // namespace tessora
