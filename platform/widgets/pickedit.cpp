#include "pickedit.h"

#include <QKeyEvent>
#include <QStyle>
#include <QToolButton>

#include <algorithm>

namespace widgets {

PickEdit::PickEdit(QWidget* parent)
    : QLineEdit(parent)
    , m_button(new QToolButton(this))
{
    m_button->setObjectName(QStringLiteral("pickButton"));
    m_button->setText(QStringLiteral("..."));
    // The edit keeps the focus; the keyboard reaches the pick through F4 / Alt+Down.
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setCursor(Qt::ArrowCursor);
    connect(m_button, &QToolButton::clicked, this, &PickEdit::pickClicked);
}

void PickEdit::keyPressEvent(QKeyEvent* event)
{
    const bool f4 = event->key() == Qt::Key_F4 && event->modifiers() == Qt::NoModifier;
    const bool altDown = event->key() == Qt::Key_Down
                         && (event->modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier;
    if (f4 || altDown) {
        event->accept();
        Q_EMIT pickClicked();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void PickEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int side = std::max(0, height() - 2 * frame);
    m_button->setGeometry(width() - frame - side, frame, side, side);
    setTextMargins(0, 0, side, 0);
}

} // namespace widgets
