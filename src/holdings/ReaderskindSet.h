#pragma once

#include "data/RecordSet.h"

#include <QString>

// One reader kind: its name and the loan limits of its readers. A default-made record is the kind
// a new kind starts from and the one an empty kind selection stands for.
struct RReaderskind
{
    int Id = 0;
    QString Name;
    int BookTop = 1;
    int BookDays = 15;
    int BookRelet = 15;
    int JourTop = 1;
    int JourDays = 10;
    int JourRelet = 10;
};

// The reader kinds as their list shows them, and the writes of table readerskind.
class TReaderskindSet : public TRecordSet
{
    Q_OBJECT

public:
    explicit TReaderskindSet(QObject* owner = nullptr);

    // Every kind, by Id.
    void OpenAll();

    // The current row as a record, and a record written into the current row (which must be in
    // edit or insert state; the caller posts it).
    RReaderskind AsData() const;
    void SetAsData(const RReaderskind& kind);

    // Updates the kind when its Id is above 0, otherwise inserts it with a new Id written back into
    // `kind`. True exactly when one row was written; a failing statement raises EDatabaseError.
    static bool Save(RReaderskind& kind);
    // Readers of a deleted kind keep their KindId; they then show no kind and zero limits.
    static bool Delete(int id);
};
