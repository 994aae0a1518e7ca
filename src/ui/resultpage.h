#pragma once
// Page "Ergebnis verarbeiten": the chart with zoom, saving and printing. Each file command is a
// small object of its own, so more of them sit beside these two.

#include <QWidget>

#include "engine/document.h"
#include "ui/clampingspinbox.h"
#include "ui/printcommand.h"
#include "ui/savecommand.h"

class QPushButton;

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

    ClampingSpinBox* zoomSpin = nullptr;
    QPushButton* saveButton = nullptr;
    QPushButton* printButton = nullptr;
    ResultView* resultView = nullptr;

  signals:
    void progressed(int percent);
    // What the page is busy with, for the status bar; empty when it is done.
    void taskChanged(const QString& text);

  private:
    const Document& document_;
    SaveCommand saveCommand_;
    PrintCommand printCommand_;
};

}  // namespace tessora
