#pragma once

#include <QString>

class TDatabase;

// The database schema: every table, index and fixed row, for each engine, and its version.
class TSchema
{
public:
    // The version this build creates and understands.
    static int CurrentVersion();
    // The version stored in the connected database; 0 when it holds no Quorin tables.
    static int StoredVersion(TDatabase& db);
    // Creates every table, index and fixed row on the connected database, which must hold no
    // Quorin tables. With `prepared` the catalogue starts with the prepared classification
    // (TPreparedCatalog); without it the catalogue is empty. One transaction: on failure nothing is
    // left behind. Raises EDatabaseError.
    static void Create(TDatabase& db, bool prepared = false);
    // Brings a database of an older version forward; raises when it is newer than this build.
    static void Migrate(TDatabase& db);
    // Connects `db` to `connectionString` and creates the schema there unless it is already present
    // (a missing SQLite file is created). A new database starts with the prepared classification. False with the reason
    // in `error`.
    static bool CreateDatabase(TDatabase& db, const QString& connectionString, QString* error);
    // Makes the connected database ready to use: an older version is brought forward. False with the
    // reason when it holds no Quorin tables or is newer than this build.
    static bool PrepareForUse(TDatabase& db, QString* error);
};
