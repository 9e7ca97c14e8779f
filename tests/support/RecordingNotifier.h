#pragma once

#include "data/Notifier.h"

#include <QList>
#include <QString>

// Records every message core code shows, so tests assert the exact texts. Installs itself on
// construction and restores the previous notifier when destroyed.
class TRecordingNotifier final : public INotifier
{
public:
    struct Message
    {
        QString Kind; // "info", "warning", "error" or "confirm"
        QString Text;
    };

    TRecordingNotifier();
    ~TRecordingNotifier() override;

    void Info(const QString& text) override;
    void Warning(const QString& text) override;
    void Error(const QString& text) override;
    bool Confirm(const QString& text) override;

    // The answer every later Confirm gives.
    void SetConfirmAnswer(bool answer) { m_answer = answer; }
    const QList<Message>& Messages() const { return m_messages; }
    QString LastText() const { return m_messages.isEmpty() ? QString() : m_messages.last().Text; }
    void Clear() { m_messages.clear(); }

private:
    QList<Message> m_messages;
    INotifier* m_previous = nullptr;
    bool m_answer = true;
};
