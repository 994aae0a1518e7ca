#include "ui/calculatepage.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>

#include "ui/colourpicker.h"
#include "ui/editview.h"
#include "ui/pageframe.h"

namespace tessora {
namespace {

QToolButton* makeActionButton(QWidget* parent, QAction* action, int x) {
    auto* button = new QToolButton(parent);
    button->setDefaultAction(action);
    button->setGeometry(x, 4, 90, 25);
    return button;
}

}  // namespace

CalculatePage::CalculatePage(Document& document, QWidget* parent) : QWidget(parent) {
    QWidget* body = MakePageFrame(this, tr("Perlenmuster berechnen - Ergebnis bertrachten"),
                                  tr("Muster berechnen..."), 0);
    auto* layout = new QVBoxLayout(body);
    auto* top = new QHBoxLayout;
    calculateButton = new QPushButton(tr("Berechnen"));
    calculateButton->setObjectName(QStringLiteral("calculateButton"));
    editModeCheck = new QCheckBox(tr("Nachbearbeiten"));
    editModeCheck->setObjectName(QStringLiteral("editModeCheck"));
    top->addWidget(calculateButton);
    top->addWidget(editModeCheck);
    top->addStretch(1);
    connect(calculateButton, &QPushButton::clicked, this, &CalculatePage::calculateRequested);
    connect(editModeCheck, &QCheckBox::toggled, this, &CalculatePage::onEditModeToggled);

    editView = new EditView(document);
    buildEditToolbar(document);

    layout->addLayout(top);
    layout->addWidget(editToolbar);
    layout->addWidget(editView, 1);
}

void CalculatePage::buildEditToolbar(Document& document) {
    editToolbar = new QWidget;
    editToolbar->setObjectName(QStringLiteral("editToolbar"));
    editToolbar->setFixedHeight(88);
    editToolbar->setVisible(false);
    // A range of more than 72 colours scrolls within the tool bar's height.
    auto* pickerArea = new QScrollArea(editToolbar);
    pickerArea->setFrameShape(QFrame::NoFrame);
    pickerArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pickerArea->setGeometry(0, 4, 349, 81);
    colourPicker = new ColourPicker(document);
    colourPicker->resize(337, 81);
    pickerArea->setWidget(colourPicker);
    colourPicker->fitToColours();
    buildUndoActions();
}

void CalculatePage::buildUndoActions() {
    undoAction = new QAction(tr("Rückgängig"), this);
    undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    undoAction->setToolTip(tr("Letzte Perlen-Änderung zurücknehmen (Strg+Z)"));
    redoAction = new QAction(tr("Wiederholen"), this);
    redoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    redoAction->setToolTip(tr("Zurückgenommene Perlen-Änderung wiederholen (Strg+Y)"));
    // On the page, so the keys work whatever has the focus on it.
    addAction(undoAction);
    addAction(redoAction);
    connect(undoAction, &QAction::triggered, this, [this] { editView->undoBeadEdit(); });
    connect(redoAction, &QAction::triggered, this, [this] { editView->redoBeadEdit(); });
    makeActionButton(editToolbar, undoAction, 350);
    makeActionButton(editToolbar, redoAction, 350 + 94);
    updateUndoActions();
}

void CalculatePage::setOnScreen(bool onScreen) {
    onScreen_ = onScreen;
    updateUndoActions();
}

void CalculatePage::setSizePageBeads(int wide, int high) {
    editView->setSizePageBeads(wide, high);
}

void CalculatePage::showNewGrid() {
    colourPicker->fitToColours();  // the range may have changed with the grid
    editView->forgetBeadEdits();
    editView->refresh();
}

void CalculatePage::setUndoStack(QUndoStack* stack) {
    editView->setUndoStack(stack);
    connect(stack, &QUndoStack::indexChanged, this, &CalculatePage::updateUndoActions);
    updateUndoActions();
}

void CalculatePage::onEditModeToggled(bool editing) {
    editToolbar->setVisible(editing);
    editView->setEditMode(editing);
}

void CalculatePage::updateUndoActions() {
    undoAction->setEnabled(onScreen_ && editView->canUndo());
    redoAction->setEnabled(onScreen_ && editView->canRedo());
}

}  // namespace tessora
