#pragma once
// The bottom bar: the web button and the two picture buttons "about" and "exit".

#include <QWidget>

class QAction;
class QToolButton;

namespace tessora {

class ImageButton;

class BottomBar : public QWidget {
    Q_OBJECT
  public:
    explicit BottomBar(QWidget* parent = nullptr);

    void openHomePage();
    void showAbout();
    // A button for a window command, placed after the web button.
    QToolButton* addCommand(QAction* action);

    QToolButton* homePageButton = nullptr;
    ImageButton* aboutButton = nullptr;
    ImageButton* exitButton = nullptr;

  signals:
    // The window decides; it asks before it closes.
    void exitRequested();
};

}  // namespace tessora
