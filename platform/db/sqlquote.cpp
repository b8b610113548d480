#include "sqlquote.h"

namespace db {

QString sqlValue(const QString& value)
{
    QString out = value;
    out.remove(QChar(0));
    out.replace(u'\'', QStringLiteral("''"));
    return out;
}

QString sqlLiteral(const QString& value)
{
    return u'\'' + sqlValue(value) + u'\'';
}

} // namespace db
