#pragma once
// One column of a data grid and the display formats its cells and footer use.

#include <QString>
#include <QVariant>
#include <Qt>

namespace grid {

enum class FooterKind { None = 0, StaticText = 1, Sum = 2 };
enum class SortMarker { None, Ascending, Descending };

/// What a grid column shows and how. The title is always centred.
struct GridColumn
{
    QString fieldName;   // the dataset field; a name the dataset lacks gives an empty column
    QString caption;
    int width = 64;      // pixels
    bool visible = true;
    bool readOnly = false;
    Qt::Alignment alignment = Qt::AlignLeft; // horizontal alignment of the cells and the footer
    QString displayFormat;                   // "0", "0.00", "#,##0.00", "yyyy-MM-dd", ...
    QString footerValue;                     // the footer text when footerKind is StaticText
    FooterKind footerKind = FooterKind::None;
};

/// A value as a display format shows it. Number patterns: "0" (no decimals), "0.00" (two),
/// "#,##0.00" (thousands separators); date patterns in Qt's date-format letters ("yyyy-MM-dd").
/// An empty format or a value the format does not fit gives the value's own text.
QString formatValue(const QVariant& value, const QString& displayFormat);

} // namespace grid
