#pragma once

#include "data/Database.h"

// Statements that belong together (a sale and its lines, ...) either all take
// effect or none does: rolled back unless commit() was reached.
class Transaction
{
public:
    explicit Transaction(Database &db) : m_db(db) { m_db.begin(); }
    ~Transaction()
    {
        if (!m_done)
            m_db.rollback();
    }
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit()
    {
        m_db.commit();
        m_done = true;
    }

private:
    Database &m_db;
    bool m_done = false;
};
