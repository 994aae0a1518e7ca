#pragma once
// Page "Größe": information about the loaded picture and the motif size in beads. With the
// aspect lock on, each bead count follows the other as the picture's proportions say.

#include <QWidget>

#include "engine/document.h"

class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace tessora {

class SizePage : public QWidget {
    Q_OBJECT
  public:
    explicit SizePage(const Document& document, QWidget* parent = nullptr);

    int beadsWide() const;
    int beadsHigh() const;
    // A new picture: shows its facts and couples the height to the width.
    void onPictureChanged();
    void showPictureInfo();
    void onBeadsWideChanged();
    void onBeadsHighChanged();

    QLineEdit* pictureWidthField = nullptr;
    QLineEdit* pictureHeightField = nullptr;
    QLineEdit* pictureColoursField = nullptr;
    QSpinBox* beadsWideSpin = nullptr;
    QSpinBox* beadsHighSpin = nullptr;
    QCheckBox* keepAspectCheck = nullptr;

  signals:
    // Either count changed, typed or coupled.
    void beadCountsChanged(int wide, int high);

  private:
    QWidget* buildPictureInfo();
    QWidget* buildMotifSize();

    const Document& document_;
    bool coupling_ = false;  // one count is being set from the other
};

}  // namespace tessora
