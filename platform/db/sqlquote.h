#pragma once
#include <QString>

namespace db {

/// The one way a user value enters SQL text: single quotes are doubled so the value can never end
/// its literal early, and NUL characters (which would cut the statement short in the client
/// libraries) are dropped. "%" and "_" are left alone, so they keep their meaning in a like
/// pattern. Use it between the quotes of a literal piece: "... = '" + sqlValue(name) + "' ".
QString sqlValue(const QString& value);

/// The value as a whole literal, quotes included: 'O''Brien'.
QString sqlLiteral(const QString& value);

} // namespace db
