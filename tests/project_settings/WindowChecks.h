#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <functional>

// Shared by the window tests of this folder.
namespace WindowChecks {

// Runs `action` on the next modal dialog as soon as it shows; a dialog the action leaves open is
// rejected, so a test never blocks. The watch ends with the object, so a dialog that never came
// cannot be taken for one of a later test.
class TModalWatch
{
public:
    explicit TModalWatch(std::function<void(QDialog*)> action) : m_action(std::move(action))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            m_timer.stop();
            m_fired = true;
            QPointer<QDialog> guard(dialog);
            m_action(dialog);
            if (guard && guard->isVisible())
                guard->reject();
        });
        m_timer.start(10);
    }
    TModalWatch(const TModalWatch&) = delete;
    TModalWatch& operator=(const TModalWatch&) = delete;

    bool Fired() const { return m_fired; }

private:
    std::function<void(QDialog*)> m_action;
    QTimer m_timer;
    bool m_fired = false;
};

// Types `text` into `widget` key by key, Chinese included (keyClicks takes Latin-1 only).
inline void TypeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// The texts of labels, check boxes, buttons and tabs that are narrower than their text needs.
inline QStringList ClippedTexts(QWidget* window)
{
    QStringList clipped;
    for (QLabel* label : window->findChildren<QLabel*>())
        if (label->isVisible() && !label->text().isEmpty() && label->width() < label->minimumSizeHint().width())
            clipped.append(label->text());
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        if (button->isVisible() && !button->text().isEmpty() && button->width() < button->sizeHint().width())
            clipped.append(button->text());
    for (QTabBar* bar : window->findChildren<QTabBar*>())
        for (int i = 0; i < bar->count(); ++i)
            if (bar->tabRect(i).width() < bar->fontMetrics().horizontalAdvance(bar->tabText(i)))
                clipped.append(bar->tabText(i));
    return clipped;
}

} // namespace WindowChecks
