#include "emptydate.h"

namespace widgets {

bool isEmptyDate(const QString& text)
{
    // An ordinal comparison, as the stored texts are compared everywhere else.
    return QStringView(text).compare(u"1901-08-14", Qt::CaseSensitive) < 0;
}

QString dateTextForDisplay(const QString& text)
{
    return isEmptyDate(text) ? QString() : text;
}

} // namespace widgets
