#pragma once
// Page "Berechnen": the calculate button, the edit mode with its tool bar (colour picker, undo
// and redo), and the bead grid in the edit view. The page only asks for a calculation; the
// window runs it, since it needs the size and colour pages too.

#include <QWidget>

#include "engine/document.h"

class QAction;
class QCheckBox;
class QPushButton;
class QUndoStack;

namespace tessora {

class ColourPicker;
class EditView;

class CalculatePage : public QWidget {
    Q_OBJECT
  public:
    explicit CalculatePage(Document& document, QWidget* parent = nullptr);

    // Whether the page is the current one: edits are seen only here, so they are taken back only
    // here.
    void setOnScreen(bool onScreen);
    void setSizePageBeads(int wide, int high);
    // A new grid replaced the old one.
    void showNewGrid();
    // The window's undo stack: strokes go onto it, and undo and redo work through it.
    void setUndoStack(QUndoStack* stack);

    QPushButton* calculateButton = nullptr;
    QCheckBox* editModeCheck = nullptr;
    QWidget* editToolbar = nullptr;
    ColourPicker* colourPicker = nullptr;
    EditView* editView = nullptr;
    QAction* undoAction = nullptr;
    QAction* redoAction = nullptr;

  signals:
    void calculateRequested();

  private:
    void buildEditToolbar(Document& document);
    void buildUndoActions();
    void onEditModeToggled(bool editing);
    void updateUndoActions();

    bool onScreen_ = false;
};

}  // namespace tessora
