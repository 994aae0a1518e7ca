#include "modal.h"

#include <QPushButton>
#include <QTimer>

namespace tessora::test {

void OnNextModalWidget(std::function<bool(QWidget*)> act) {
    auto attempts = std::make_shared<int>(0);
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, attempts, act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if ((modal != nullptr && act(modal)) || ++*attempts > 1000) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

std::shared_ptr<SeenMessageBox> AnswerNextMessageBox(QMessageBox::StandardButton button) {
    auto seen = std::make_shared<SeenMessageBox>();
    OnNextModal<QMessageBox>([seen, button](QMessageBox* box) {
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
