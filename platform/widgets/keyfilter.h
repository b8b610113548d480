#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace widgets {

/// The keys every window shares: Enter moves on, Escape cancels, Ctrl+S saves.
///
/// It watches the key presses of the window and of every control inside it, also those added
/// later; dialogs and pop-ups opened from the window are windows of their own and not watched.
/// Enter/Return moves the focus to the next control in tab order, except in multi-line text
/// edits (they take the new line), on push and tool buttons (Enter presses them) and in the
/// editors of item views (they take Enter to finish the edit).
class KeyFilter : public QObject
{
    Q_OBJECT

public:
    /// Becomes a child of the window and watches it.
    explicit KeyFilter(QWidget* window);
    ~KeyFilter() override;

    /// Watches this window (and all it contains) instead of the previous one.
    void install(QWidget* window);
    QWidget* window() const { return m_window; }

    /// On by default; off leaves Enter to the controls.
    void setEnterMovesFocus(bool on) { m_enterMovesFocus = on; }
    bool enterMovesFocus() const { return m_enterMovesFocus; }
    /// Run on Escape; without one, Escape goes to the controls (a dialog rejects).
    void setOnEscape(std::function<void()> callback) { m_onEscape = std::move(callback); }
    /// Run on Ctrl+S; without one, Ctrl+S goes to the controls.
    void setOnSave(std::function<void()> callback) { m_onSave = std::move(callback); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool handleEnter(QWidget* target);

    QPointer<QWidget> m_window;
    bool m_enterMovesFocus = true;
    std::function<void()> m_onEscape;
    std::function<void()> m_onSave;
};

} // namespace widgets
