#pragma once

#include <QLineEdit>

#include <optional>

namespace widgets {

/// A right-aligned line edit for a decimal number with a fixed number of decimals.
class NumberEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit NumberEdit(QWidget* parent = nullptr);
    explicit NumberEdit(int decimals, QWidget* parent = nullptr);

    int decimals() const { return m_decimals; }
    void setDecimals(int decimals);

    /// The number shown, rounded to the decimals; empty or unreadable text is 0.
    double value() const;
    void setValue(double value);

    /// Reads "-1234.5", "1,234.50", "" (0), "-" (0); nothing for letters or misplaced signs.
    static std::optional<double> parse(const QString& text);
    /// The text for a value: fixed decimals, optional thousands separators, never "-0".
    static QString format(double value, int decimals, bool thousands);

Q_SIGNALS:
    void valueChanged(double value);

protected:
    void setThousands(bool thousands);
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void init(int decimals);
    void showValue(double value);
    void checkChange();

    int m_decimals = 2;
    bool m_thousands = false;
    double m_lastValue = 0.0;
};

/// A NumberEdit for money: 2 decimals, thousands separators except while editing.
class CurrencyEdit : public NumberEdit
{
    Q_OBJECT

public:
    explicit CurrencyEdit(QWidget* parent = nullptr);
};

} // namespace widgets
