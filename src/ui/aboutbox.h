#pragma once
// The about dialog "Info".

#include <QDialog>

class QLabel;
class QPushButton;

namespace tessora {

QString HomePageAddress();  // the maker's home page
QString HomePageCaption();  // the address as buttons show it

class AboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit AboutBox(QWidget* owner = nullptr);

    void fillInYear();
    void openHomePage();

    QLabel* notice = nullptr;  // carries "XXXX" until fillInYear puts the year there
    QPushButton* homePageButton = nullptr;
    QPushButton* okButton = nullptr;
};

}  // namespace tessora
