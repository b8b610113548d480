#pragma once

#include <QDate>
#include <QWidget>

class QCheckBox;
class QDateEdit;

namespace widgets {

/// A date edit with a tick box in front of it; unticked means the empty date.
class DateTickEdit : public QWidget
{
    Q_OBJECT

public:
    explicit DateTickEdit(QWidget* parent = nullptr);

    QDate date() const;
    void setDate(const QDate& date);
    bool isTicked() const;
    void setTicked(bool ticked);

    /// "yyyy-MM-dd" when ticked, EmptyDateText() when not.
    QString text() const;
    /// Takes a stored date text: an empty date unticks (the shown date stays), any other
    /// "yyyy-MM-dd" (optionally with " hh:mm:ss") sets the date and ticks. Returns false and
    /// changes nothing for text that is no date.
    bool setText(const QString& text);

    QCheckBox* tickBox() const { return m_tick; }
    QDateEdit* dateEdit() const { return m_edit; }

Q_SIGNALS:
    void dateChanged(const QDate& date);
    void tickedChanged(bool ticked);
    /// Either the date or the tick changed.
    void changed();

private:
    void applyTick(bool ticked);

    QCheckBox* m_tick = nullptr;
    QDateEdit* m_edit = nullptr;
};

} // namespace widgets
