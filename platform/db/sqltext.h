#pragma once
#include <QList>
#include <QString>
#include <QStringView>

namespace db::sqltext {

/// One piece of a statement: code, a string literal ('...'), a quoted name ("..." or [...]),
/// or a comment. Rewrites only ever touch code pieces.
struct Piece
{
    enum Kind { Code, StringLiteral, QuotedName, Comment };
    Kind kind;
    qsizetype start;
    qsizetype length;
};

QList<Piece> split(QStringView sql);

/// The statement with every literal, quoted name and comment blanked out by a character that no
/// pattern matches, so that searches on the result see code only; positions are unchanged.
QString maskedCode(QStringView sql, const QList<Piece>& pieces);

/// One replacement of a stretch of the original text.
struct Edit
{
    qsizetype start;
    qsizetype length;
    QString text;
};

/// Applies non-overlapping edits (in any order) to the text.
QString applyEdits(QString text, QList<Edit> edits);

/// Named parameters (":name", outside literals and not a "::" cast), in order of appearance,
/// with the edits that turn them into the backend's placeholders.
struct ParameterScan
{
    QStringList names; // as written, one entry per occurrence
    QList<Edit> edits;
};

enum class PlaceholderStyle { QuestionMark, DollarNumber };
ParameterScan scanParameters(QStringView sql, PlaceholderStyle style);

} // namespace db::sqltext
