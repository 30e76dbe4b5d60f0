#include "settings/Product.h"

QString Product::code() const
{
    const qsizetype hyphen = text.indexOf(u'-');
    return hyphen < 0 ? QString() : text.left(hyphen);
}

QString Product::name() const
{
    const qsizetype hyphen = text.indexOf(u'-');
    return hyphen < 0 ? text : text.mid(hyphen + 1);
}

QString Product::join(const QString &code, const QString &name)
{
    return code.isEmpty() ? name : code + u'-' + name;
}
