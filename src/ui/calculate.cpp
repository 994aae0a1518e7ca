// The calculate command and the chart, as the window runs them: read the controls, call the
// engine, show the statistics, and say so when memory ran out.

#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>

#include "engine/calculate.h"
#include "engine/chart.h"
#include "ui/mainform.h"

namespace tessora {
namespace {

QString engineErrorMessage(EngineError error) {
    switch (error) {
        case EngineError::None:
            return QString();
        case EngineError::NoPicture:
            return QStringLiteral(
                "Es ist kein Bild geladen, aus dem ein Muster berechnet werden könnte.");
        case EngineError::OutOfMemory:
            return QStringLiteral(
                "Nicht genügend Arbeitsspeicher! Das Bild konnte nicht angelegt werden. "
                "Versuchen Sie es mit weniger Perlen.");
    }
    return QString();
}

}  // namespace

void TMainForm::ShowEngineError(EngineError error) {
    if (error == EngineError::None) return;
    QMessageBox::warning(this, QStringLiteral("Fehler"), engineErrorMessage(error));
}

void TMainForm::RenderBtnClick() {
    const std::array<bool, 64> selection = SelectedColors();
    const CalculateInputs inputs{maschened->value(), reihened->value(),
                                 FSErrCheck->isChecked() ? 1 : 0, selection};
    const EngineError error =
        calculatePattern(*this, inputs, [this](int pro) { SetProSatus(pro); });
    if (error != EngineError::None) {
        ShowEngineError(error);
        return;
    }
    endBeadStroke();
    beadHistory.clear();  // the edits belonged to the grid just replaced
    updateUndoActions();
    PaintBox2Paint();
    RenderDib();
}

void TMainForm::RenderDib() {
    BeadCounts counts{};
    const EngineError error =
        drawChart(di3, maschened->value(), reihened->value(), notfoundis, rdi, counts);
    Memo1->setPlainText(statisticsLines(counts).join(u'\n'));
    ErgPaintBoxPaint();  // the view's size follows the new chart
    ShowEngineError(error);
}

}  // namespace tessora
