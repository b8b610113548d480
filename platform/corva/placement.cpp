#include "corva.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace corva {

void DispFormPos(QWidget* window, int mode)
{
    if (!window)
        return;
    QScreen* screen = window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return; // nothing to place on
    const QRect area = screen->availableGeometry();
    if (area.isEmpty())
        return;

    // Before the first show the frame is not known yet; the client size is the best estimate.
    QRect frame = window->frameGeometry();
    if (frame.isEmpty())
        frame = QRect(window->pos(), window->size());

    QPoint centre = area.center();
    if (mode == 1) {
        QWidget* active = QApplication::activeWindow();
        if (active && active != window && active->isVisible())
            centre = active->frameGeometry().center();
    }

    QRect placed(QPoint(0, 0), frame.size());
    placed.moveCenter(centre);
    // Keep the title bar reachable: never above or left of the screen's work area.
    if (placed.right() > area.right())
        placed.moveRight(area.right());
    if (placed.bottom() > area.bottom())
        placed.moveBottom(area.bottom());
    if (placed.left() < area.left())
        placed.moveLeft(area.left());
    if (placed.top() < area.top())
        placed.moveTop(area.top());
    window->move(placed.topLeft());
}

} // namespace corva
