#pragma once

#include "data/RecordSet.h"

// One publisher.
struct RPublisher
{
    int Id = 0; // 0 for a new publisher
    QString Name;
    QString ISBN;
    QString Addr;
};

// The publishers, kept in Id order; books and journals name a publisher as text, not by key.
class TPublisherSet : public TRecordSet
{
    Q_OBJECT

public:
    explicit TPublisherSet(QObject* owner = nullptr);

    void OpenAll();
    RPublisher AsData() const;
    // Writes the record into the current row (client rows only).
    void AsData(const RPublisher& record);

    // Updates when record.Id > 0, otherwise inserts with a new Id written back. True when one row
    // was affected; raises EDatabaseError when the database refuses.
    static bool Save(RPublisher& record);
    static bool Delete(int id);
    // Every publisher's name in Id order, for the drop-downs.
    static QStringList Names();
};
