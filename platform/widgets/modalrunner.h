#pragma once
// The one place where the program runs a dialog modally. Tests install a handler instead, so they
// can fill in and answer a picker or dialog without a display.

#include <functional>

class QDialog;

namespace widgets {

/// Receives the dialog that is about to run; sets its controls and returns the result the dialog
/// would have closed with (QDialog::Accepted or QDialog::Rejected, or the dialog's own code).
using ModalHandler = std::function<int(QDialog&)>;

/// Runs the dialog with exec(), or hands it to the installed handler.
int execModal(QDialog& dialog);

/// Installs the handler for the following execModal calls; an empty handler restores exec().
void setModalHandler(ModalHandler handler);

/// Installs a handler for the lifetime of the object (tests).
class ScopedModalHandler
{
public:
    explicit ScopedModalHandler(ModalHandler handler) { setModalHandler(std::move(handler)); }
    ~ScopedModalHandler() { setModalHandler({}); }
    ScopedModalHandler(const ScopedModalHandler&) = delete;
    ScopedModalHandler& operator=(const ScopedModalHandler&) = delete;
};

} // namespace widgets
