#include "records/ServerRows.h"

#include "data/Database.h"
#include "data/PostgresLibrary.h"
#include "records/QueryStatement.h"

#include <QByteArrayList>
#include <QLocale>

#include <cstdlib>
#include <limits>
#include <locale.h>
#include <optional>
#include <vector>

namespace {

locale_t cLocale()
{
    static locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return locale;
}

// "?" outside quotes becomes "$1", "$2", ... as libpq numbers its parameters.
QByteArray numberedParameters(const QString &sql)
{
    const QByteArray bytes = sql.toUtf8();
    QByteArray numbered;
    numbered.reserve(bytes.size() + 16);
    char quote = 0;
    int parameter = 0;
    for (const char c : bytes) {
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '?') {
            numbered += '$' + QByteArray::number(++parameter);
            continue;
        }
        numbered += c;
    }
    return numbered;
}

// A bound value as the server reads it in text form, as the driver sends it
// (a null QString is the empty text); nullopt for a type not sent this way.
std::optional<QByteArray> parameterText(const QVariant &value, bool &isNull)
{
    isNull = !value.isValid() || value.isNull();
    if (isNull)
        return QByteArray();
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString().toUtf8();
    case QMetaType::Double:
        return QByteArray::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    case QMetaType::Int:
    case QMetaType::LongLong:
        return QByteArray::number(value.toLongLong());
    default:
        return std::nullopt;
    }
}

} // namespace

std::unique_ptr<ServerRows> ServerRows::run(Database &db, const QueryStatement &statement)
{
    if (!db.isOpen() || db.dialect().engine() != SqlDialect::Engine::Postgres)
        return nullptr;
    const PostgresLibrary *pq = PostgresLibrary::loaded();
    PGconn *connection = PostgresLibrary::connectionOf(db.handle());
    // libpq would throw away the rest of a select the driver is still reading.
    if (!pq || !connection || pq->status(connection) != CONNECTION_OK ||
        pq->transactionStatus(connection) == PQTRANS_ACTIVE)
        return nullptr;
    QByteArrayList texts;
    std::vector<const char *> values;
    for (const QVariant &value : statement.values) {
        bool isNull = false;
        const std::optional<QByteArray> text = parameterText(value, isNull);
        if (!text)
            return nullptr;
        texts.append(*text);
        values.push_back(isNull ? nullptr : texts.back().constData());
    }
    const QByteArray sql = numberedParameters(statement.sql);
    PGresult *result = pq->execParams(connection, sql.constData(), int(values.size()), nullptr,
                                      values.data(), nullptr, nullptr, 0);
    if (!result || pq->resultStatus(result) != PGRES_TUPLES_OK) {
        pq->clear(result);
        return nullptr;
    }
    return std::unique_ptr<ServerRows>(new ServerRows(*pq, result));
}

ServerRows::ServerRows(const PostgresLibrary &pq, pg_result *result)
    : m_pq(pq), m_result(result), m_rows(pq.rowCount(result))
{
}

ServerRows::~ServerRows()
{
    m_pq.clear(m_result);
}

QByteArrayView ServerRows::text(int column) const
{
    if (m_pq.isNull(m_result, m_row, column))
        return {};
    return QByteArrayView(m_pq.value(m_result, m_row, column),
                          m_pq.length(m_result, m_row, column));
}

double ServerRows::number(int column) const
{
    if (m_pq.isNull(m_result, m_row, column))
        return std::numeric_limits<double>::quiet_NaN();
    return strtod_l(m_pq.value(m_result, m_row, column), nullptr, cLocale());
}

qint64 ServerRows::integer(int column) const
{
    if (m_pq.isNull(m_result, m_row, column))
        return 0;
    return strtoll(m_pq.value(m_result, m_row, column), nullptr, 10);
}
