#pragma once
// The save command: the save dialog, the default extension and the library's writer.

#include <QCoreApplication>
#include <QString>
#include <functional>

#include "imagelib/dib.h"
#include "imagelib/imageerror.h"

class QFileDialog;
class QWidget;

namespace tessora {

// A name whose last path component has no dot gets the default extension of the chosen file
// type (position 1 to 12); a name with any extension, or ending in a dot, stays as typed.
QString CompleteSaveName(const QString& name, int position);

// The dialog's filter entries, "description (patterns)", from a filter text of
// description|patterns pairs.
QStringList DialogNameFilters(const QString& filterText);

// Whether `file` may be written: true when it does not exist yet or the user agreed to replace
// it.
bool ConfirmOverwrite(QWidget* owner, const QString& file);

class SaveCommand {
    Q_DECLARE_TR_FUNCTIONS(SaveCommand)

  public:
    // Asks for a file name and type, then writes `chart`; a failure is told with the file name.
    // While writing, the dialog is gone, the cursor is busy and the window keeps painting, but
    // takes no input, so the chart stays as it is.
    void run(QWidget* owner, const dib& chart, const QString& startFolder,
             const std::function<void(int)>& progress);

    // Told "Speichere …" when writing starts and an empty text when it ends.
    std::function<void(const QString&)> onTask;

  private:
    ImageError write(const dib& chart, const QString& file, int format,
                     const std::function<void(int)>& progress);

    // Lives with its owner and offers the last name and type again.
    QFileDialog* dialog_ = nullptr;
};

}  // namespace tessora
