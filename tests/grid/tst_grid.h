#pragma once

#include <QObject>
#include <QTemporaryDir>

#include <memory>

namespace db {
class Connection;
class Dataset;
}

// The data grid over a real dataset: formats, footer, columns on screen, markers, selection,
// current row and the model's consistency.
class TstGrid : public QObject
{
    Q_OBJECT
public:
    TstGrid();
    ~TstGrid() override;

private Q_SLOTS:
    void init();
    void cleanup();

    void formatValue_data();
    void formatValue();
    void cellTexts();
    void footer();
    void columnsInScreenOrder();
    void hiddenColumnKeepsWidth();
    void sortMarkersIndependent();
    void titleAndDoubleClickIndexes();
    void selectedPositions();
    void currentRowFollowsView();
    void viewFollowsDataset();
    void hooks();
    void modelIsConsistent();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<db::Connection> m_conn;
    std::unique_ptr<db::Dataset> m_rows;
};
