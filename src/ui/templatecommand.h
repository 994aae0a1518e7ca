#pragma once
// The command "Vorlage in Originalgröße…": the pattern book's dialog on the current pattern.

#include <memory>

#include "output/beadpattern.h"

class QPrinter;
class QWidget;

namespace tessora {

class TemplateCommand {
  public:
    TemplateCommand();
    ~TemplateCommand();
    TemplateCommand(const TemplateCommand&) = delete;
    TemplateCommand& operator=(const TemplateCommand&) = delete;

    void run(QWidget* owner, BeadPattern pattern);

  private:
    // The printer chosen for the book, kept for the whole run of the program.
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace tessora
