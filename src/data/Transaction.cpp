#include "data/Transaction.h"

#include "data/Database.h"

TTransaction::TTransaction(TDatabase& db) : m_db(db)
{
    m_db.BeginTrans();
}

TTransaction::TTransaction() : TTransaction(Database()) {}

TTransaction::~TTransaction()
{
    if (m_open)
        m_db.RollbackTrans();
}

void TTransaction::Commit()
{
    if (!m_open)
        return;
    m_open = false;
    m_db.CommitTrans();
}

void TTransaction::Rollback()
{
    if (!m_open)
        return;
    m_open = false;
    m_db.RollbackTrans();
}
