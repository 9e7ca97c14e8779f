#pragma once

#include "data/DBParameter.h"

// The two ways a table class writes one row. Each counts as done exactly when the database reports
// one affected row.
class TRowWriter
{
public:
    // Updates the row `id` when it is above 0; otherwise inserts with a new identifier (highest + 1,
    // allocated under the table's lock in the same transaction) and stores it in `id` on success.
    // Both statements name the identifier ":Id"; `params` holds every other value.
    static bool Save(const QString& table, int& id, const QString& updateSql, const QString& insertSql,
                     TDBParameters params, const TxDBParameters& blobs = {});
    // Updates first; when that does not affect exactly one row, inserts with the same values.
    static bool UpdateOrInsert(const QString& updateSql, const QString& insertSql, const TDBParameters& params,
                               const TxDBParameters& blobs = {});
};
