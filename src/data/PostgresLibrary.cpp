#include "data/PostgresLibrary.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>

#include <dlfcn.h>

namespace {

template <class Function> bool find(void *library, const char *name, Function &function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

} // namespace

const PostgresLibrary *PostgresLibrary::loaded()
{
    static const PostgresLibrary *const library = []() -> const PostgresLibrary * {
        void *handle = dlopen("libpq.so.5", RTLD_LAZY | RTLD_NOLOAD);
        if (!handle)
            return nullptr;
        static PostgresLibrary calls;
        const bool complete =
            find(handle, "PQstatus", calls.status) &&
            find(handle, "PQtransactionStatus", calls.transactionStatus) &&
            find(handle, "PQexec", calls.exec) && find(handle, "PQexecParams", calls.execParams) &&
            find(handle, "PQresultStatus", calls.resultStatus) &&
            find(handle, "PQntuples", calls.rowCount) && find(handle, "PQgetvalue", calls.value) &&
            find(handle, "PQgetlength", calls.length) &&
            find(handle, "PQgetisnull", calls.isNull) && find(handle, "PQclear", calls.clear);
        return complete ? &calls : nullptr;
    }();
    return library;
}

PGconn *PostgresLibrary::connectionOf(const QSqlDatabase &db)
{
    if (!db.isValid() || !db.driver())
        return nullptr;
    const QVariant native = db.driver()->handle();
    const QByteArray type = native.typeName();
    if (type != "pg_conn*" && type != "PGconn*")
        return nullptr;
    return *static_cast<PGconn *const *>(native.constData());
}
