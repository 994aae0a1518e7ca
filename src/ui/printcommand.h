#pragma once
// The print command: the print dialog, then one page with the chart.

#include <QCoreApplication>
#include <memory>

#include "imagelib/dib.h"

class QPrinter;
class QWidget;

namespace tessora {

class PrintCommand {
    Q_DECLARE_TR_FUNCTIONS(PrintCommand)

  public:
    PrintCommand();
    ~PrintCommand();
    PrintCommand(const PrintCommand&) = delete;
    PrintCommand& operator=(const PrintCommand&) = delete;

    void run(QWidget* owner, const dib& chart);

  private:
    // The printer chosen in the print dialog, kept for the whole run of the program.
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace tessora
