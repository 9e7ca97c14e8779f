#pragma once

#include "data/QuerySet.h"

#include <QList>
#include <QString>

// One class of the classification catalogue.
struct RCatalog
{
    int Id = 0;   // 0 for a class not yet stored, -1 for the tree's root
    QString Code; // the SlfId path, each segment followed by a dot: "3.17.45."
    QString Mark; // classification mark
    QString Name;
    QString Note;
    int SlfId = 0; // the class's own number; children point at it
    int PrtId = 0; // the parent's SlfId, 0 at the top level
    QString Path;  // what the edit dialog shows as the parent; the class's own name when read

    // What the tree shows: mark and name with no separator.
    QString Caption() const { return Mark + Name; }
};

// The whole classification catalogue, read once and kept in SlfId order.
class TCatalogSet : public TQuerySet
{
public:
    TCatalogSet();

    void OpenAll();
    // The current row.
    RCatalog AsData() const;

    // The classes directly under `slfId` (0: the top level), in SlfId order, from the open rows.
    QList<RCatalog> Children(int slfId) const;
    bool HasChildren(int slfId) const;

    // Stores a new class under record.PrtId and fills its Id, SlfId and Code. True when one row was
    // inserted; raises EDatabaseError when the statement fails.
    static bool AppendNode(RCatalog& record);
    // Changes mark, name and note; a class never moves. True when one row was updated.
    static bool UpdateNode(const RCatalog& record);
    // Removes a class that has no subclasses, in one transaction; false (nothing changed) when the
    // class is gone or still has subclasses.
    static bool DeleteNode(int id);
    // Whether the catalogue holds no class at all.
    static bool IsEmpty();
};
