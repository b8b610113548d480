#pragma once

#include "treefixture.h"

#include <QObject>

// The tree services and the tree view: new codes, loading, paths, pictures.
class TstCodeTree : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void nextTreeCode_data();
    void nextTreeCode();
    void nextTreeCodeFailure();
    void loadCodeTree_data();
    void loadCodeTree();
    void loadCodeTreeNodeData();
    void loadCodeTreeFailure();
    void nodePath_data();
    void nodePath();
    void collapsePath_data();
    void collapsePath();
    void pictures();
    void viewSettings();

private:
    eqtest::TreeDatabase m_db;
};
