#pragma once

#include <QObject>

// The empty-date rule, the date edit with its tick box, the number edits and the pick edit.
class TstEdits : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void emptyDate_data();
    void emptyDate();
    void dateTickText_data();
    void dateTickText();
    void dateTickKeepsDateWhileUnticked();
    void dateTickCannotHoldAnUnsetDate();
    void numberParse_data();
    void numberParse();
    void numberFormat_data();
    void numberFormat();
    void numberTyping_data();
    void numberTyping();
    void currencyDisplay();
    void pickKeys_data();
    void pickKeys();
    void pickButtonWhenReadOnly();
};
