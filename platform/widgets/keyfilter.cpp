#include "keyfilter.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>

namespace widgets {

namespace {

// The control itself or the control it belongs to, up to the window, is of kind T.
template <typename T>
bool isInside(QWidget* widget, QWidget* window)
{
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (qobject_cast<T*>(w) != nullptr)
            return true;
        if (w == window)
            break;
    }
    return false;
}

// An editor an item view opened over one of its cells.
bool isItemViewEditor(QWidget* widget, QWidget* window)
{
    return widget != window && widget->parentWidget() != nullptr
           && isInside<QAbstractItemView>(widget->parentWidget(), window);
}

Qt::KeyboardModifiers plainModifiers(const QKeyEvent* key)
{
    return key->modifiers() & ~Qt::KeypadModifier;
}

} // namespace

KeyFilter::KeyFilter(QWidget* window)
    : QObject(window)
{
    install(window);
}

KeyFilter::~KeyFilter()
{
    if (qApp != nullptr)
        qApp->removeEventFilter(this);
}

void KeyFilter::install(QWidget* window)
{
    m_window = window;
    // Watching at the application and keeping to the window's own controls catches controls
    // created after this call, which filters installed on each control would miss.
    if (qApp != nullptr) {
        qApp->removeEventFilter(this);
        qApp->installEventFilter(this);
    }
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || m_window.isNull() || !watched->isWidgetType())
        return false;
    auto* target = static_cast<QWidget*>(watched);
    // isAncestorOf stops at window borders, so dialogs and pop-ups of the window are left out.
    if (!m_window->isAncestorOf(target))
        return false;

    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = plainModifiers(key);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return modifiers == Qt::NoModifier && handleEnter(target);
    case Qt::Key_Escape:
        if (modifiers != Qt::NoModifier || !m_onEscape || isItemViewEditor(target, m_window))
            return false;
        m_onEscape();
        return true;
    case Qt::Key_S:
        if (modifiers != Qt::ControlModifier || !m_onSave)
            return false;
        m_onSave();
        return true;
    default:
        return false;
    }
}

bool KeyFilter::handleEnter(QWidget* target)
{
    if (!m_enterMovesFocus)
        return false;
    if (isInside<QPlainTextEdit>(target, m_window) || isInside<QTextEdit>(target, m_window)
        || isItemViewEditor(target, m_window))
        return false;
    if (auto* button = qobject_cast<QPushButton*>(target)) {
        button->click();
        return true;
    }
    if (auto* button = qobject_cast<QToolButton*>(target)) {
        button->click();
        return true;
    }
    // A Tab sent to the window moves on from its focus control by the window's tab order; on
    // the control itself, a date edit would take it to walk its own sections instead.
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(m_window->window(), &tab);
    return true;
}

} // namespace widgets
