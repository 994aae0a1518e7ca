#pragma once
// Answers the next modal dialog of a widget test: records what it said and presses a button.

#include <QMessageBox>
#include <QString>
#include <functional>
#include <memory>

namespace tessora::test {

struct SeenMessageBox {
    bool seen = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QList<QMessageBox::StandardButton> buttons;
};

// Presses `button` on the next message box that opens; the result is filled in by then.
std::shared_ptr<SeenMessageBox> AnswerNextMessageBox(QMessageBox::StandardButton button);

// Runs `act` on the next modal dialog of any kind (for example to close an about box).
void OnNextModalDialog(std::function<void(QWidget*)> act);

}  // namespace tessora::test
