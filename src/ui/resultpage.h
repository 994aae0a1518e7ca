#pragma once
// Page "Ergebnis verarbeiten": the chart with zoom, saving and printing. Each file command is a
// small object of its own, so more of them sit beside these two.

#include <QWidget>

#include "engine/document.h"
#include "ui/printcommand.h"
#include "ui/savecommand.h"

class QPushButton;
class QSpinBox;

namespace tessora {

class ResultView;

class ResultPage : public QWidget {
    Q_OBJECT
  public:
    explicit ResultPage(const Document& document, QWidget* parent = nullptr);

    // The chart was drawn anew; the view's size follows it.
    void showNewChart();
    void saveChart();
    void printChart();

    QSpinBox* zoomSpin = nullptr;
    QPushButton* saveButton = nullptr;
    QPushButton* printButton = nullptr;
    ResultView* resultView = nullptr;

  signals:
    void progressed(int percent);

  private:
    const Document& document_;
    SaveCommand saveCommand_;
    PrintCommand printCommand_;
};

}  // namespace tessora
