// Page "Berechnen": the calculate button, the edit mode with its colour picker, and the bead
// grid in the edit view.

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/mainform.h"
#include "ui/pageframe.h"
#include "ui/paintbox.h"
#include "ui/viewscrollbox.h"

namespace tessora {
namespace {

QToolButton* makeActionButton(QWidget* parent, QAction* action, int x) {
    auto* button = new QToolButton(parent);
    button->setDefaultAction(action);
    button->setGeometry(x, 4, 90, 25);
    return button;
}

}  // namespace

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
    connect(EditModeCheck, &QCheckBox::toggled, this, [this] { EditModeCheckClick(); });

    Panel43 = new QWidget;
    Panel43->setObjectName(QStringLiteral("Panel43"));
    Panel43->setFixedHeight(88);
    Panel43->setVisible(false);
    buildColourPicker();
    buildUndoActions();
    buildEditView();

    layout->addLayout(top);
    layout->addWidget(Panel43);
    layout->addWidget(ScrollBox1, 1);
    return parts.page;
}

void TMainForm::buildColourPicker() {
    PaintBox3 = new PaintBox(Panel43);
    PaintBox3->setObjectName(QStringLiteral("PaintBox3"));
    PaintBox3->setGeometry(0, 4, 337, 81);
    PaintBox3->onPaint = [this](QPainter& canvas, const QRect&) { PaintBox3Paint(canvas); };
    PaintBox3->onMouseDown = [this](QMouseEvent* event) {
        PaintBox3MouseDown(event->position().toPoint());
    };
}

void TMainForm::buildUndoActions() {
    undoAction = new QAction(QStringLiteral("Rückgängig"), this);
    undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    undoAction->setToolTip(QStringLiteral("Letzte Perlen-Änderung zurücknehmen (Strg+Z)"));
    redoAction = new QAction(QStringLiteral("Wiederholen"), this);
    redoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    redoAction->setToolTip(QStringLiteral("Zurückgenommene Perlen-Änderung wiederholen (Strg+Y)"));
    // Window-wide, so the keys work whatever has the focus on the page; enabled only there.
    addAction(undoAction);
    addAction(redoAction);
    connect(undoAction, &QAction::triggered, this, [this] { undoBeadEdit(); });
    connect(redoAction, &QAction::triggered, this, [this] { redoBeadEdit(); });
    makeActionButton(Panel43, undoAction, 350);
    makeActionButton(Panel43, redoAction, 350 + 94);
    updateUndoActions();
}

void TMainForm::buildEditView() {
    ScrollBox1 = new ViewScrollBox;
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    PaintBox2 = ScrollBox1->view();
    PaintBox2->setCursor(Qt::PointingHandCursor);
    PaintBox2->onPaint = [this](QPainter& canvas, const QRect& exposed, QPoint origin) {
        PaintBox2Draw(canvas, exposed, origin);
    };
    PaintBox2->onMouseDown = [this](QPoint point) { PaintBox2MouseDown(point); };
    PaintBox2->onMouseMove = [this](QPoint point) { PaintBox2MouseMove(point); };
    PaintBox2->onMouseUp = [this](QPoint point) { PaintBox2MouseUp(point); };
    // Out of edit mode the view's size follows the size page.
    connect(maschened, &QSpinBox::valueChanged, this, [this] { PaintBox2Paint(); });
    connect(reihened, &QSpinBox::valueChanged, this, [this] { PaintBox2Paint(); });
}

}  // namespace tessora
