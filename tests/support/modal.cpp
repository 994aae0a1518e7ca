#include "modal.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

namespace tessora::test {
namespace {

void pollForModal(std::function<void(QWidget*)> act, int triesLeft) {
    QTimer::singleShot(10, [act = std::move(act), triesLeft]() mutable {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            act(modal);
        } else if (triesLeft > 0) {
            pollForModal(std::move(act), triesLeft - 1);
        }
    });
}

}  // namespace

void OnNextModalDialog(std::function<void(QWidget*)> act) {
    pollForModal(std::move(act), 500);
}

std::shared_ptr<SeenMessageBox> AnswerNextMessageBox(QMessageBox::StandardButton button) {
    auto seen = std::make_shared<SeenMessageBox>();
    OnNextModalDialog([seen, button](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr) return;
        seen->seen = true;
        seen->title = box->windowTitle();
        seen->text = box->text();
        seen->icon = box->icon();
        for (QAbstractButton* b : box->buttons())
            seen->buttons << box->standardButton(b);
        if (QAbstractButton* b = box->button(button)) b->click();
    });
    return seen;
}

}  // namespace tessora::test
