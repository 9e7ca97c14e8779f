#pragma once

#include <QApplication>
#include <QList>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

// Drives modal dialogs opened with exec(): each step waits for the active modal window with the
// given object name and acts on it (type, press OK, cancel). One step runs per tick, so a dialog
// that refuses to close is met again by the next step, and one that is shown again by a loop is met
// on its next showing. Steps left when the time runs out are reported and every modal window is
// cancelled, so a test fails instead of hanging.
class TModalScript : public QObject
{
public:
    using TAction = std::function<void(QWidget*)>;

    explicit TModalScript(int timeoutMs = 20000)
    {
        m_poll.setInterval(15);
        connect(&m_poll, &QTimer::timeout, this, &TModalScript::poll);
        m_poll.start();
        m_deadline.setSingleShot(true);
        connect(&m_deadline, &QTimer::timeout, this, &TModalScript::giveUp);
        m_deadline.start(timeoutMs);
    }

    TModalScript& Then(const QString& windowName, TAction action)
    {
        m_steps.append({windowName, std::move(action)});
        return *this;
    }
    bool Finished() const { return m_steps.isEmpty(); }
    bool TimedOut() const { return m_timedOut; }
    // Names of the modal windows met, in order (one entry per step run).
    const QStringList& Met() const { return m_met; }

private:
    struct TStep
    {
        QString Window;
        TAction Action;
    };

    void poll()
    {
        if (m_steps.isEmpty())
            return;
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal->objectName() != m_steps.first().Window)
            return;
        const TStep step = m_steps.takeFirst();
        m_met.append(step.Window);
        step.Action(modal);
        // A failed check leaves the step early, with its window still up: close it, or the test
        // would wait in that window's loop until the harness kills it.
        if (QTest::currentTestFailed()) {
            m_steps.clear();
            if (QApplication::activeModalWidget() == modal)
                modal->close();
        }
    }

    void giveUp()
    {
        if (m_steps.isEmpty())
            return;
        m_timedOut = true;
        m_steps.clear();
        while (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
            QApplication::processEvents();
            if (QApplication::activeModalWidget() == modal)
                break;
        }
    }

    QTimer m_poll;
    QTimer m_deadline;
    QList<TStep> m_steps;
    QStringList m_met;
    bool m_timedOut = false;
};
