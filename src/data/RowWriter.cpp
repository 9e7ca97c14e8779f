#include "data/RowWriter.h"

#include "data/Database.h"
#include "data/Transaction.h"

using namespace Qt::StringLiterals;

bool TRowWriter::Save(const QString& table, int& id, const QString& updateSql, const QString& insertSql,
                      TDBParameters params, const TxDBParameters& blobs)
{
    TDatabase& db = Database();
    if (id > 0) {
        params.append(MakeParam(u"Id"_s, id));
        return db.ExecSQL(updateSql, params, blobs) == 1;
    }
    TTransaction transaction(db);
    const int newId = db.NextId(table);
    params.append(MakeParam(u"Id"_s, newId));
    if (db.ExecSQL(insertSql, params, blobs) != 1)
        return false; // the guard rolls back
    transaction.Commit();
    id = newId;
    return true;
}

bool TRowWriter::UpdateOrInsert(const QString& updateSql, const QString& insertSql, const TDBParameters& params,
                                const TxDBParameters& blobs)
{
    TDatabase& db = Database();
    if (db.ExecSQL(updateSql, params, blobs) == 1)
        return true;
    return db.ExecSQL(insertSql, params, blobs) == 1;
}
