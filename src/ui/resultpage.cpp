#include "ui/resultpage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ui/clampingspinbox.h"
#include "ui/filedialogfolders.h"
#include "ui/pageframe.h"
#include "ui/resultview.h"

namespace tessora {

ResultPage::ResultPage(const Document& document, QWidget* parent)
    : QWidget(parent), document_(document) {
    QWidget* body =
        MakePageFrame(this, tr("Ergebnis verarbeiten - Muster bertrachten, speichern und drucken"),
                      tr("Ergebnis verarbeiten..."), 1);
    auto* layout = new QVBoxLayout(body);
    auto* top = new QHBoxLayout;
    zoomSpin = new ClampingSpinBox;
    zoomSpin->setObjectName(QStringLiteral("zoomSpin"));
    zoomSpin->setRange(1, 10000);
    zoomSpin->setSingleStep(10);
    zoomSpin->setValue(100);
    zoomSpin->setAlignment(Qt::AlignRight);
    saveButton = new QPushButton(tr("Bild &speichern unter..."));
    saveButton->setObjectName(QStringLiteral("saveButton"));
    printButton = new QPushButton(tr("Bild &drucken..."));
    printButton->setObjectName(QStringLiteral("printButton"));
    top->addWidget(new QLabel(tr("Zoom in %:")));
    top->addWidget(zoomSpin);
    top->addStretch(1);
    top->addWidget(saveButton);
    top->addWidget(printButton);
    templateButton = new QPushButton(tr("Vorlage in Originalgröße…"));
    templateButton->setObjectName(QStringLiteral("templateButton"));
    top->addWidget(templateButton);

    resultView = new ResultView(document);
    connect(zoomSpin, &QSpinBox::valueChanged, resultView, &ResultView::setZoom);
    connect(resultView, &ResultView::zoomStepsRequested, zoomSpin, &QSpinBox::stepBy);
    saveCommand_.onTask = [this](const QString& text) { emit taskChanged(text); };
    connect(printButton, &QPushButton::clicked, this, &ResultPage::printChart);
    connect(saveButton, &QPushButton::clicked, this, &ResultPage::saveChart);
    connect(templateButton, &QPushButton::clicked, this, &ResultPage::makeTemplate);
    layout->addLayout(top);
    layout->addWidget(resultView, 1);
}

void ResultPage::showNewChart() {
    resultView->refresh();
}

void ResultPage::saveChart() {
    saveCommand_.run(this, document_.rdi, DialogStartFolder(document_.progpath),
                     [this](int percent) { emit progressed(percent); });
}

void ResultPage::printChart() {
    printCommand_.run(this, document_.rdi);
}

void ResultPage::makeTemplate() {
    if (!currentPattern) return;
    templateCommand_.run(this, currentPattern());
    emit templateChoicesChanged();
}

}  // namespace tessora
