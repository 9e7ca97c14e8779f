#pragma once

class TDatabase;

// A business step's transaction: begins on construction and rolls back when it goes out of scope
// without Commit(), so an error raised half-way leaves nothing behind.
class TTransaction
{
public:
    explicit TTransaction(TDatabase& db);
    TTransaction();
    ~TTransaction();
    TTransaction(const TTransaction&) = delete;
    TTransaction& operator=(const TTransaction&) = delete;

    void Commit();
    void Rollback();

private:
    TDatabase& m_db;
    bool m_open = true;
};
