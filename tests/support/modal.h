#pragma once
// Answers the next modal dialog of a widget test: records what it said and presses a button.

#include <QApplication>
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

// Waits (in the event loop) until a modal widget accepted by `act` appears; `act` returns
// false for modal widgets it does not handle, which are left alone.
void OnNextModalWidget(std::function<bool(QWidget*)> act);

// Runs `act` on the next modal dialog of type T (for example to close an about box).
template <typename T>
void OnNextModal(std::function<void(T*)> act) {
    OnNextModalWidget([act = std::move(act)](QWidget* modal) {
        T* typed = qobject_cast<T*>(modal);
        if (typed == nullptr) return false;
        act(typed);
        return true;
    });
}

// Presses `button` on the next message box that opens; the result is filled in by then.
std::shared_ptr<SeenMessageBox> AnswerNextMessageBox(QMessageBox::StandardButton button);

}  // namespace tessora::test
