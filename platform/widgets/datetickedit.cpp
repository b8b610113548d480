#include "datetickedit.h"

#include "emptydate.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDateTime>
#include <QHBoxLayout>

namespace widgets {

namespace {
const QString& dateFormat()
{
    static const QString format = QStringLiteral("yyyy-MM-dd");
    return format;
}
} // namespace

DateTickEdit::DateTickEdit(QWidget* parent)
    : QWidget(parent)
    , m_tick(new QCheckBox(this))
    , m_edit(new QDateEdit(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_tick);
    layout->addWidget(m_edit, 1);

    m_tick->setObjectName(QStringLiteral("tickBox"));
    m_edit->setObjectName(QStringLiteral("dateEdit"));
    m_edit->setDisplayFormat(dateFormat());
    m_edit->setCalendarPopup(true);
    // An earlier date would be stored and read back as "no date": a ticked edit cannot hold one.
    m_edit->setMinimumDate(QDate::fromString(FirstGivenDateText(), dateFormat()));
    m_edit->setDate(QDate::currentDate());
    m_tick->setChecked(true);
    applyTick(true);

    connect(m_edit, &QDateEdit::dateChanged, this, [this](const QDate& date) {
        Q_EMIT dateChanged(date);
        Q_EMIT changed();
    });
    connect(m_tick, &QCheckBox::toggled, this, [this](bool ticked) {
        applyTick(ticked);
        Q_EMIT tickedChanged(ticked);
        Q_EMIT changed();
    });
}

QDate DateTickEdit::date() const
{
    return m_edit->date();
}

void DateTickEdit::setDate(const QDate& date)
{
    m_edit->setDate(date);
}

bool DateTickEdit::isTicked() const
{
    return m_tick->isChecked();
}

void DateTickEdit::setTicked(bool ticked)
{
    m_tick->setChecked(ticked);
}

QString DateTickEdit::text() const
{
    return isTicked() ? date().toString(dateFormat()) : EmptyDateText();
}

bool DateTickEdit::setText(const QString& text)
{
    if (isEmptyDate(text)) {
        setTicked(false);
        return true;
    }
    QDate date = QDate::fromString(text, dateFormat());
    if (!date.isValid())
        date = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd hh:mm:ss")).date();
    if (!date.isValid())
        return false;
    setDate(date);
    setTicked(true);
    return true;
}

void DateTickEdit::applyTick(bool ticked)
{
    m_edit->setEnabled(ticked);
    // Focus given to the whole control lands where the keyboard can still do something.
    setFocusProxy(ticked ? static_cast<QWidget*>(m_edit) : m_tick);
}

} // namespace widgets
