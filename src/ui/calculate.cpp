// The calculate command and the chart, as the window runs them.

#include "ui/mainform.h"

namespace tessora {

void TMainForm::RenderBtnClick() {}

void TMainForm::RenderDib() {}

}  // namespace tessora
