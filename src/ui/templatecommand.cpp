#include "ui/templatecommand.h"

#include <QPrinter>

#include "output/templatedialog.h"

namespace tessora {

TemplateCommand::TemplateCommand() = default;
TemplateCommand::~TemplateCommand() = default;

void TemplateCommand::run(QWidget* owner, BeadPattern pattern) {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    TemplateDialog dialog(owner, printer_.get(), std::move(pattern));
    dialog.exec();
}

}  // namespace tessora
