#pragma once

#include "treefixture.h"

#include <QObject>

// The tree editor and the name dialog: the commands' statements and view changes, refusals,
// failures, keys, and the picker.
class TstTreeEditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void askNodeName_data();
    void askNodeName();
    void setMode_data();
    void setMode();
    void form();
    void addSibling_data();
    void addSibling();
    void addChild_data();
    void addChild();
    void rename_data();
    void rename();
    void remove_data();
    void remove();
    void refusals_data();
    void refusals();
    void failures_data();
    void failures();
    void keys_data();
    void keys();
    void pick_data();
    void pick();
    void pickPreselection_data();
    void pickPreselection();
    void pickWithoutEditing();

private:
    eqtest::TreeDatabase m_db;
};
