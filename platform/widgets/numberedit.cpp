#include "numberedit.h"

#include <QFocusEvent>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include <algorithm>
#include <cmath>

namespace widgets {

NumberEdit::NumberEdit(QWidget* parent)
    : QLineEdit(parent)
{
    init(2);
}

NumberEdit::NumberEdit(int decimals, QWidget* parent)
    : QLineEdit(parent)
{
    init(decimals);
}

void NumberEdit::init(int decimals)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(this, &QLineEdit::textChanged, this, &NumberEdit::checkChange);
    setDecimals(decimals);
}

void NumberEdit::setDecimals(int decimals)
{
    const double current = value();
    m_decimals = std::max(0, decimals);
    // Typing gets plain digits only: the separators are the display's business.
    QString pattern = QStringLiteral("-?\\d*");
    if (m_decimals > 0)
        pattern += QStringLiteral("(\\.\\d{0,%1})?").arg(m_decimals);
    setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), this));
    showValue(current);
}

double NumberEdit::value() const
{
    const double parsed = parse(text()).value_or(0.0);
    return format(parsed, m_decimals, false).toDouble();
}

void NumberEdit::setValue(double value)
{
    showValue(value);
}

std::optional<double> NumberEdit::parse(const QString& text)
{
    static const QRegularExpression number(
        QStringLiteral("^-?(?:\\d{1,3}(?:,\\d{3})+|\\d*)(?:\\.\\d*)?$"));
    QString plain = text.trimmed();
    if (!number.match(plain).hasMatch())
        return std::nullopt;
    plain.remove(QLatin1Char(','));
    if (plain.isEmpty() || plain == u"-" || plain == u"." || plain == u"-.")
        return 0.0;
    bool ok = false;
    const double result = plain.toDouble(&ok);
    if (!ok || !std::isfinite(result))
        return std::nullopt;
    return result;
}

QString NumberEdit::format(double value, int decimals, bool thousands)
{
    if (!std::isfinite(value))
        value = 0.0;
    QString text = QString::number(value, 'f', std::max(0, decimals));
    // A value that rounds to zero is shown as zero, not as "-0.00".
    if (text.startsWith(QLatin1Char('-'))
        && std::all_of(text.cbegin() + 1, text.cend(),
                       [](QChar c) { return c == u'0' || c == u'.'; }))
        text.remove(0, 1);
    if (thousands) {
        const int start = text.startsWith(QLatin1Char('-')) ? 1 : 0;
        int point = text.indexOf(QLatin1Char('.'));
        if (point < 0)
            point = text.size();
        for (int at = point - 3; at > start; at -= 3)
            text.insert(at, QLatin1Char(','));
    }
    return text;
}

void NumberEdit::setThousands(bool thousands)
{
    m_thousands = thousands;
    showValue(value());
}

void NumberEdit::showValue(double value)
{
    setText(format(value, m_decimals, m_thousands && !hasFocus()));
}

void NumberEdit::checkChange()
{
    const double current = value();
    if (current == m_lastValue)
        return;
    m_lastValue = current;
    Q_EMIT valueChanged(current);
}

void NumberEdit::focusInEvent(QFocusEvent* event)
{
    // Before the base class selects the text, so the selection covers the plain digits.
    if (m_thousands && event->reason() != Qt::PopupFocusReason)
        setText(format(value(), m_decimals, false));
    QLineEdit::focusInEvent(event);
}

void NumberEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A context menu takes the focus for a moment; the edit is not finished then.
    if (event->reason() != Qt::PopupFocusReason)
        showValue(value());
}

CurrencyEdit::CurrencyEdit(QWidget* parent)
    : NumberEdit(2, parent)
{
    setThousands(true);
}

} // namespace widgets
