#pragma once
// Page "Farben": the swatch grid, the conversion method, the colour selection list, and the
// colour settings files. Each group of controls is built by its own function, so further
// choices (a bead range, the colour distance, background options, a colour limit) become
// groups of their own.

#include <QWidget>
#include <array>

#include "engine/document.h"

class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace tessora {

class SwatchGrid;

class ColourPage : public QWidget {
    Q_OBJECT
  public:
    explicit ColourPage(Document& document, QWidget* parent = nullptr);

    // Ticked catalogue colours.
    std::array<bool, 64> selectedColours() const;
    bool ditheringChosen() const;
    void selectNoColours();
    void selectAllColours();
    // A file that cannot be written or read is reported in a message box; nothing changes then.
    void saveColourSettings(const QString& file);
    void openColourSettings(const QString& file);

    SwatchGrid* swatchGrid = nullptr;
    QLabel* swatchInfoLabel = nullptr;
    QPushButton* openSettingsButton = nullptr;
    QPushButton* saveSettingsButton = nullptr;
    QRadioButton* nearestColourRadio = nullptr;
    QRadioButton* ditheringRadio = nullptr;
    QPushButton* selectNoneButton = nullptr;
    QPushButton* selectAllButton = nullptr;
    QListWidget* colourList = nullptr;

  private:
    QWidget* buildColourGroup();
    QWidget* buildMethodGroup();
    QWidget* buildSelectionGroup();
    void fillColourList();
    void setTicks(const std::array<bool, 64>& ticks);
    void showSwatchInfo(int index);
    void onOpenSettingsClicked();
    void onSaveSettingsClicked();

    void showSettingsError(const QString& caption, const QString& text);

    Document& document_;
    // Each colour settings dialog starts where it was last used.
    QString openSettingsFolder_;
    QString saveSettingsFolder_;
};

}  // namespace tessora
