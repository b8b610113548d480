#pragma once
// A date the user left unset is stored as "1900-08-14". Any date text that sorts before
// "1901-08-14", character by character, counts as unset (the empty text too) and is shown empty.
// Editors and grids ask these helpers instead of comparing texts themselves.

#include <QString>

namespace widgets {

/// The text stored for a date the user left unset.
inline QString EmptyDateText()
{
    return QStringLiteral("1900-08-14");
}

/// The first date text that counts as given.
inline QString FirstGivenDateText()
{
    return QStringLiteral("1901-08-14");
}

/// True when a stored date text ("yyyy-MM-dd", maybe with " hh:mm:ss") means "no date".
bool isEmptyDate(const QString& text);

/// The text a list shows for a stored date: empty for an unset date, the text itself otherwise.
QString dateTextForDisplay(const QString& text);

} // namespace widgets
