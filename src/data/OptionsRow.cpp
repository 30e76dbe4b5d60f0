#include "data/OptionsRow.h"

#include "data/Database.h"
#include "data/StoredFlag.h"

bool OptionsRow::read(Database &db, OptionsRow &row)
{
    row = OptionsRow();
    Database::Rows rows = db.query(
        QStringLiteral("select \"set1\",\"set2\",\"set3\",\"set4\",\"set5\",\"set6\",\"set7\" "
                       "from \"USER_SET\" where \"directLogin\"=6"));
    if (!rows.next())
        return false;
    QString *fields[] = {&row.labelLanguage,    &row.phoneEnabled, &row.showProductCode,
                         &row.template02,       &row.printer2,     &row.usePrinter2,
                         &row.paperLengthAdjust};
    for (int i = 0; i < int(std::size(fields)); ++i)
        *fields[i] = rows.text(i);
    return true;
}

void OptionsRow::ensure(Database &db)
{
    const QString found =
        db.scalar(QStringLiteral("select \"id\" from \"USER_SET\" where \"directLogin\"=6"));
    if (!found.isEmpty())
        return;
    db.exec(QStringLiteral("insert into \"USER_SET\" (\"userName\",\"userPower\",\"directLogin\","
                           "\"set1\",\"set2\",\"set3\",\"set4\",\"set5\",\"set6\",\"set7\","
                           "\"set8\",\"set9\",\"set10\") "
                           "values (?,?,?,?,?,?,?,?,?,?,?,?,?)"),
            {QString(), QString(), 6, QString(), QString(), QString(), QString(), QString(),
             QString(), QString(), QString(), QString(), QString()});
}

void OptionsRow::storeLabelLanguage(Database &db, int language)
{
    db.exec(QStringLiteral("update \"USER_SET\" set \"set1\"=? where \"directLogin\"=6"),
            {QString::number(language)});
}

void OptionsRow::storePhoneEnabled(Database &db, bool on)
{
    db.exec(QStringLiteral("update \"USER_SET\" set \"set2\"=? where \"directLogin\"=6"),
            {storedFlag(on)});
}

void OptionsRow::storeTemplate(Database &db, bool template02)
{
    db.exec(QStringLiteral("update \"USER_SET\" set \"set4\"=? where \"directLogin\"=6"),
            {storedFlag(template02)});
}

void OptionsRow::storePrinter2(Database &db, const QString &name, bool use)
{
    db.exec(QStringLiteral("update \"USER_SET\" set \"set5\"=?,\"set6\"=? where \"directLogin\"=6"),
            {name, storedFlag(use)});
}

void OptionsRow::storePaperLengthAdjust(Database &db, const QString &adjust)
{
    db.exec(QStringLiteral("update \"USER_SET\" set \"set7\"=? where \"directLogin\"=6"), {adjust});
}

void OptionsRow::storeShowProductCode(Database &db, bool on)
{
    db.exec(QStringLiteral("update \"USER_SET\" set \"set3\"=? where \"directLogin\"=6"),
            {storedFlag(on)});
}
