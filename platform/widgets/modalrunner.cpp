#include "modalrunner.h"

#include <QDialog>

namespace widgets {

namespace {
ModalHandler& handler()
{
    static ModalHandler installed;
    return installed;
}
} // namespace

int execModal(QDialog& dialog)
{
    if (handler()) {
        // Copy first: the handler may open a nested dialog and replace itself.
        const ModalHandler current = handler();
        const int result = current(dialog);
        dialog.setResult(result);
        return result;
    }
    return dialog.exec();
}

void setModalHandler(ModalHandler newHandler)
{
    handler() = std::move(newHandler);
}

} // namespace widgets
