#pragma once

#include "data/CustomWhere.h"

// The conditions of the reader search, in the order the search applies them. A null condition or
// an empty text sets none. Every value is bound; "like" patterns are built here with their
// wildcards escaped, so a typed "%", "_" or quote matches itself.
class TReaderWhere : public TCustomWhere
{
    Q_OBJECT

public:
    TReaderWhere();

    // The pattern that finds `text` anywhere in a column compared with "like ... escape '!'".
    static QString ContainsPattern(const QString& text);
};
