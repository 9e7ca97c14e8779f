#pragma once

#include "holdings/CatalogSet.h"

#include <QList>

class TDatabase;

// The classification a new library starts from: the 22 main classes of the Chinese Library
// Classification and their common second level.
class TPreparedCatalog
{
public:
    // The prepared classes in the order they are stored, each with Id = SlfId and its path code.
    static QList<RCatalog> Rows();
    // Stores the prepared classes in one transaction. Refused (false, nothing written) when the
    // catalogue already holds a class, so no existing number or code can collide. Raises
    // EDatabaseError when a statement fails.
    static bool Load();
    // The same on a connection other than the program's own (a database being created).
    static bool Load(TDatabase& db);
    // What the catalogue window tells the operator when the catalogue is not empty.
    static QString NotEmptyText();
};
