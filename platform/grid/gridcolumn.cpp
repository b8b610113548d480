#include "gridcolumn.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>

#include <cmath>

namespace grid {

using namespace Qt::StringLiterals;

namespace {

struct NumberPattern
{
    int minDecimals = 0; // '0' after the point
    int maxDecimals = 0; // '0' and '#' after the point
    bool grouping = false;
    int minIntegerDigits = 0; // '0' before the point
};

// "0", "0.00", "#,##0.00", "#,##0.0#": digit placeholders, a thousands comma and one point.
bool parseNumberPattern(const QString& format, NumberPattern& pattern)
{
    static const QRegularExpression shape(u"^([#0,]*)(?:\\.([0#]*))?$"_s);
    const auto m = shape.match(format);
    if (!m.hasMatch() || (!format.contains(u'0') && !format.contains(u'#')))
        return false;
    const QString integer = m.captured(1);
    const QString fraction = m.captured(2);
    pattern.grouping = integer.contains(u',');
    pattern.minIntegerDigits = int(integer.count(u'0'));
    pattern.maxDecimals = int(fraction.size());
    pattern.minDecimals = int(fraction.indexOf(u'#'));
    if (pattern.minDecimals < 0)
        pattern.minDecimals = pattern.maxDecimals;
    return true;
}

// Decimal digits of |value| rounded half away from zero at `decimals`, worked on the shortest
// 15-digit decimal form so that 1.005 rounds up as it reads instead of as its binary value.
QString roundedDigits(double value, int decimals, QString& fraction)
{
    const QString e = QString::number(std::fabs(value), 'e', 14); // d.dddddddddddddde±xx
    QString digits = e.left(1) + e.mid(2, 14);
    const int exponent = e.mid(e.indexOf(u'e') + 1).toInt();
    // value = 0.digits × 10^(exponent + 1)
    int intLength = exponent + 1;
    if (intLength < 0) {
        digits = QString(-intLength, u'0') + digits;
        intLength = 0;
    }
    const int keep = intLength + decimals;
    if (digits.size() < keep + 1)
        digits += QString(keep + 1 - digits.size(), u'0');
    const bool up = digits.at(keep) >= u'5';
    QString kept = digits.left(keep);
    if (up) {
        int i = int(kept.size()) - 1;
        while (i >= 0 && kept.at(i) == u'9') {
            kept[i] = u'0';
            --i;
        }
        if (i >= 0) {
            kept[i] = QChar(kept.at(i).unicode() + 1);
        } else {
            kept.prepend(u'1');
            ++intLength;
        }
    }
    fraction = kept.mid(intLength);
    QString integer = kept.left(intLength);
    while (integer.size() > 1 && integer.startsWith(u'0'))
        integer.remove(0, 1);
    return integer;
}

QString formatNumber(double value, const NumberPattern& pattern)
{
    QString fraction;
    QString integer = roundedDigits(value, pattern.maxDecimals, fraction);
    while (fraction.size() > pattern.minDecimals && fraction.endsWith(u'0'))
        fraction.chop(1);
    if (integer == u"0"_s && pattern.minIntegerDigits == 0 && !fraction.isEmpty())
        integer.clear();
    if (integer.size() < pattern.minIntegerDigits)
        integer.prepend(QString(pattern.minIntegerDigits - integer.size(), u'0'));
    if (pattern.grouping) {
        for (qsizetype i = integer.size() - 3; i > 0; i -= 3)
            integer.insert(i, u',');
    }
    QString text = integer;
    if (!fraction.isEmpty())
        text += u'.' + fraction;
    const bool zero = !text.contains(QRegularExpression(u"[1-9]"_s));
    if (value < 0 && !zero)
        text.prepend(u'-');
    return text;
}

bool isDatePattern(const QString& format)
{
    static const QRegularExpression letters(u"[yMdhHmsz]"_s);
    return format.contains(letters);
}

QString ownText(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: return QString::number(value.toDouble(), 'g', 15);
    case QMetaType::QDate: return value.toDate().toString(u"yyyy-MM-dd"_s);
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        return dt.time() == QTime(0, 0) ? dt.toString(u"yyyy-MM-dd"_s)
                                         : dt.toString(u"yyyy-MM-dd hh:mm:ss"_s);
    }
    default: return value.toString();
    }
}

} // namespace

QString formatValue(const QVariant& value, const QString& displayFormat)
{
    if (value.isNull())
        return QString();
    if (displayFormat.isEmpty())
        return ownText(value);
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float: {
        NumberPattern pattern;
        if (parseNumberPattern(displayFormat, pattern))
            return formatNumber(value.toDouble(), pattern);
        return ownText(value);
    }
    case QMetaType::QDate:
        if (isDatePattern(displayFormat))
            return value.toDate().toString(displayFormat);
        return ownText(value);
    case QMetaType::QDateTime:
        if (isDatePattern(displayFormat))
            return value.toDateTime().toString(displayFormat);
        return ownText(value);
    default:
        // Text stays as it is, even when it reads like a number: codes such as "007".
        return ownText(value);
    }
}

} // namespace grid
