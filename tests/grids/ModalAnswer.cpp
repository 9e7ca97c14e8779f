#include "ModalAnswer.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <memory>

void WhenModal(std::function<void(QWidget*)> act)
{
    auto tries = std::make_shared<int>(0);
    auto step = std::make_shared<std::function<void()>>();
    // the step holds itself only weakly; the pending timer keeps it alive
    std::weak_ptr<std::function<void()>> weak = step;
    *step = [act, tries, weak] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            act(modal);
            return;
        }
        if (++*tries < 500)
            if (auto self = weak.lock())
                QTimer::singleShot(10, [self] { (*self)(); });
    };
    QTimer::singleShot(0, [step] { (*step)(); });
}
