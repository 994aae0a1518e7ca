#pragma once
// Page "Farben": the bead range with its palette files, the swatch grid, the conversion method,
// the matching options, the colour selection list, and the colour settings files. Each group of
// controls is built by its own function.

#include <QList>
#include <QWidget>
#include <array>
#include <span>
#include <vector>

#include "engine/document.h"
#include "ui/documentcommands.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace tessora {

class MatchingOptions;
class SwatchGrid;

class ColourPage : public QWidget {
    Q_OBJECT
  public:
    explicit ColourPage(Document& document, QWidget* parent = nullptr);

    // Ticks of the range's first 64 colours; the rest stay false.
    std::array<bool, 64> selectedColours() const;
    // Ticks of every colour of the document's range, in range order.
    QList<bool> rangeTicks() const;
    bool ditheringChosen() const;
    // The range, ticks, method, palette and matching options as they stand.
    ColourChoices colourChoices() const;
    // Makes `choices` the document's and the page's, as a project or an undo step has them; emits
    // nothing.
    void setColourChoices(const ColourChoices& choices);
    // The list, the swatches and the range choice follow a range the document got elsewhere.
    void showRange();
    void selectNoColours();
    void selectAllColours();
    // A file that cannot be written or read is reported in a message box; nothing changes then.
    void saveColourSettings(const QString& file);
    void openColourSettings(const QString& file);

    // Makes range `index` of the "Perlensortiment:" choice the document's range.
    void chooseRange(int index);
    // A palette file becomes the document's range; a refused file is reported and changes
    // nothing.
    void openPalette(const QString& file);
    // The ticked colours of the range, as edited, into a palette file; failures are reported.
    void savePalette(const QString& file);
    // Which colours the colour limit kept at the last calculation.
    void showChosenColours();

    SwatchGrid* swatchGrid = nullptr;
    QLabel* swatchInfoLabel = nullptr;
    QPushButton* openSettingsButton = nullptr;
    QPushButton* saveSettingsButton = nullptr;
    QRadioButton* nearestColourRadio = nullptr;
    QRadioButton* ditheringRadio = nullptr;
    QPushButton* selectNoneButton = nullptr;
    QPushButton* selectAllButton = nullptr;
    QListWidget* colourList = nullptr;
    QComboBox* rangeBox = nullptr;
    QPushButton* openPaletteButton = nullptr;
    QPushButton* savePaletteButton = nullptr;
    MatchingOptions* matchingOptions = nullptr;

  signals:
    // The document has another range: the old grid's colours no longer apply.
    void rangeChanged();
    // A tick, the method, the palette or a matching option changed.
    void coloursChanged();

  private:
    QWidget* buildRangeGroup();
    QWidget* buildColourGroup();
    QWidget* buildMethodGroup();
    QWidget* buildSelectionGroup();
    void fillColourList();
    void setTicks(std::span<const bool> ticks);
    void installNewRange(BeadRange range);
    void selectRangeInChoice();
    void onOpenPaletteClicked();
    void onSavePaletteClicked();
    void showSwatchInfo(int index);
    void onOpenSettingsClicked();
    void onSaveSettingsClicked();

    void showSettingsError(const QString& caption, const QString& text);

    Document& document_;
    // The ranges of the "Perlensortiment:" choice, item by item.
    std::vector<BeadRange> ranges_;
    // Each colour settings dialog starts where it was last used.
    QString openSettingsFolder_;
    QString saveSettingsFolder_;
};

}  // namespace tessora
