#include "support/RecordingNotifier.h"

using namespace Qt::StringLiterals;

TRecordingNotifier::TRecordingNotifier() : m_previous(SetNotifier(this)) {}

TRecordingNotifier::~TRecordingNotifier()
{
    SetNotifier(m_previous);
}

void TRecordingNotifier::Info(const QString& text)
{
    m_messages.append({u"info"_s, text});
}

void TRecordingNotifier::Warning(const QString& text)
{
    m_messages.append({u"warning"_s, text});
}

void TRecordingNotifier::Error(const QString& text)
{
    m_messages.append({u"error"_s, text});
}

bool TRecordingNotifier::Confirm(const QString& text)
{
    m_messages.append({u"confirm"_s, text});
    return m_answer;
}
