// Reading and writing colour settings files arrive with the engine's file layout.
#include "ui/mainform.h"
#include "ui/paintbox.h"
namespace tessora {
void TMainForm::SaveSettings(const QString&) {}
void TMainForm::OpenSettings(const QString&) {
    PaintBox1->repaint();
}
}  // namespace tessora
