// Page "Ergebnis verarbeiten": the chart with zoom, saving and printing.

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ui/mainform.h"
#include "ui/pageframe.h"
#include "ui/viewscrollbox.h"

namespace tessora {

QWidget* TMainForm::buildResultPage() {
    const PageParts parts =
        MakePage(QStringLiteral("Ergebnis verarbeiten - Muster bertrachten, speichern und drucken"),
                 QStringLiteral("Ergebnis verarbeiten..."), 1);
    auto* layout = new QVBoxLayout(parts.body);
    auto* top = new QHBoxLayout;
    ZoomEd = new QSpinBox;
    ZoomEd->setObjectName(QStringLiteral("ZoomEd"));
    ZoomEd->setRange(1, 10000);
    ZoomEd->setSingleStep(10);
    ZoomEd->setValue(100);
    ZoomEd->setAlignment(Qt::AlignRight);
    connect(ZoomEd, &QSpinBox::valueChanged, this, [this] { ZoomEdChange(); });
    SaveAsBtn = new QPushButton(QStringLiteral("Bild &speichern unter..."));
    SaveAsBtn->setObjectName(QStringLiteral("SaveAsBtn"));
    PrintBtn = new QPushButton(QStringLiteral("Bild &drucken..."));
    PrintBtn->setObjectName(QStringLiteral("PrintBtn"));
    top->addWidget(new QLabel(QStringLiteral("Zoom in %:")));
    top->addWidget(ZoomEd);
    top->addStretch(1);
    top->addWidget(SaveAsBtn);
    top->addWidget(PrintBtn);
    connect(PrintBtn, &QPushButton::clicked, this, [this] { PrintBtnClick(); });
    connect(SaveAsBtn, &QPushButton::clicked, this, [this] { SaveAsBtnClick(); });

    buildResultView();
    layout->addLayout(top);
    layout->addWidget(ErgScrollBox, 1);
    return parts.page;
}

void TMainForm::buildResultView() {
    ErgScrollBox = new ViewScrollBox;
    ErgScrollBox->setObjectName(QStringLiteral("ErgScrollBox"));
    ErgPaintBox = ErgScrollBox->view();
    ErgPaintBox->setCursor(Qt::PointingHandCursor);
    ErgPaintBox->onPaint = [this](QPainter& canvas, const QRect& exposed, QPoint origin) {
        ErgPaintBoxDraw(canvas, exposed, origin);
    };
    ErgPaintBox->onMouseDown = [this](QPoint point) { ErgPaintBoxMouseDown(point); };
    ErgPaintBox->onMouseMove = [this](QPoint point) { ErgPaintBoxMouseMove(point); };
    ErgPaintBox->onMouseUp = [this](QPoint point) { ErgPaintBoxMouseUp(point); };
}

}  // namespace tessora
