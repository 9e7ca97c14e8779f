#pragma once

#include "app/ADlgFrm.h"
#include "holdings/PublisherSet.h"

#include <functional>

class QLineEdit;

// The publisher dialog "出版社": name, ISBN prefix and place, saved through the caller's callback.
class TPublisherEditFrm : public TADlgFrm
{
    Q_OBJECT

public:
    using TSaveCallback = std::function<bool(RPublisher& record)>;

    TPublisherEditFrm(const RPublisher& record, TSaveCallback save, QWidget* parent = nullptr);

    RPublisher Record() const;

protected:
    bool CloseQuery() override;

private:
    RPublisher m_record;
    TSaveCallback m_save;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_isbn = nullptr;
    QLineEdit* m_addr = nullptr;
};

// Opens the publisher dialog modally; without a callback the publisher is saved with
// TPublisherSet::Save. True when it closed with OK; `record` then holds what was stored.
bool EditPublisher(RPublisher& record, TPublisherEditFrm::TSaveCallback save = {}, QWidget* parent = nullptr);
