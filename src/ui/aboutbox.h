#pragma once
// The about dialog "Info".

#include <QDialog>

class QLabel;
class QPushButton;

namespace tessora {

QString HomePageAddress();  // the maker's home page
QString HomePageCaption();  // the address as buttons show it

class TAboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit TAboutBox(QWidget* owner = nullptr);

    void FormCreate();
    void BitBtnXP1Click();

    QLabel* notice = nullptr;  // carries "XXXX" until FormCreate puts the year there
    QPushButton* BitBtnXP1 = nullptr;
    QPushButton* OKButton = nullptr;
};

}  // namespace tessora
