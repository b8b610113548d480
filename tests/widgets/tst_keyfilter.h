#pragma once

#include <QObject>

// The shared key handling of windows, with real key events, and the modal-dialog seam.
class TstKeyFilter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void enter_data();
    void enter();
    void enterPressesButton();
    void enterOff();
    void controlsAddedLater();
    void escapeAndSave();
    void keysWithoutCallbacksStayWithControls();
    void otherWindowsAreNotWatched();
    void modalHandlerAnswers();
};
