#pragma once

#include <QLineEdit>

class QToolButton;

namespace widgets {

/// A line edit with a small "..." button at its right end that asks the window to pick a value.
/// Read-only keeps the button working: the value then comes only from the pick.
class PickEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit PickEdit(QWidget* parent = nullptr);

    QToolButton* pickButton() const { return m_button; }

Q_SIGNALS:
    /// The button was clicked, or F4 / Alt+Down was pressed in the edit.
    void pickClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* m_button = nullptr;
};

} // namespace widgets
