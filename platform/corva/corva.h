#pragma once
// The helper library every window uses: message boxes, window placement, password encoding.

#include "corva_global.h"

#include <QString>

class QWidget;

namespace corva {

// The kinds of ShowMess. A question answers Yes (1) or No (2) and nothing else.
enum MessageKind { Information = 0, Question = 1, Warning = 2, Error = 3 };
enum Answer { Yes = 1, No = 2 };

// Shows a modal message box with the text and waits. For a question the result is Yes or No
// (Escape and closing the box mean No); for the other kinds it is 0.
CORVA_EXPORT int ShowMess(const QString& text, int kind);

// The title of every message box. Until the program sets one, the application's display name.
CORVA_EXPORT void SetMessageTitle(const QString& title);
CORVA_EXPORT QString MessageTitle();

// Places a freshly created window centred on the screen that holds it. Mode 1 centres it over the
// active window instead when there is one.
CORVA_EXPORT void DispFormPos(QWidget* window, int mode);

// Encodes a password for storage (operator table, Config.ini) and decodes it again.
// GetPass(SavePass(p)) == p for every text; GetPass of anything SavePass did not produce is empty.
CORVA_EXPORT QString SavePass(const QString& password);
CORVA_EXPORT QString GetPass(const QString& encoded);

} // namespace corva
