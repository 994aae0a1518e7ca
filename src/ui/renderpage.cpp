// Page "Berechnen": the calculate button and the bead grid.

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "ui/mainform.h"
#include "ui/pageframe.h"
#include "ui/paintbox.h"

namespace tessora {

QWidget* TMainForm::buildRenderPage() {
    const PageParts parts =
        MakePage(QStringLiteral("Perlenmuster berechnen - Ergebnis bertrachten"),
                 QStringLiteral("Muster berechnen..."), 0);
    auto* layout = new QVBoxLayout(parts.body);
    auto* top = new QHBoxLayout;
    BitBtn3 = new QPushButton(QStringLiteral("Berechnen"));
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    EditModeCheck = new QCheckBox(QStringLiteral("Nachbearbeiten"));
    EditModeCheck->setObjectName(QStringLiteral("EditModeCheck"));
    top->addWidget(BitBtn3);
    top->addWidget(EditModeCheck);
    top->addStretch(1);
    connect(BitBtn3, &QPushButton::clicked, this, [this] { RenderBtnClick(); });

    Panel43 = new QWidget;
    Panel43->setObjectName(QStringLiteral("Panel43"));
    Panel43->setFixedHeight(88);
    Panel43->setVisible(false);
    PaintBox3 = new PaintBox(Panel43);
    PaintBox3->setObjectName(QStringLiteral("PaintBox3"));
    PaintBox3->setGeometry(0, 4, 337, 81);

    ScrollBox1 = new QScrollArea;
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));

    layout->addLayout(top);
    layout->addWidget(Panel43);
    layout->addWidget(ScrollBox1, 1);
    return parts.page;
}

}  // namespace tessora
