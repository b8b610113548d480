#pragma once

#include <QObject>
#include <QTemporaryDir>

#include <memory>

namespace data {
class TdmData;
}
namespace db {
class Dataset;
}
namespace grid {
class DBGridEh;
}

// The sort dialog, the displayed-fields chooser and the title-click sort.
class TstGridSort : public QObject
{
    Q_OBJECT
public:
    TstGridSort();
    ~TstGridSort() override;

private Q_SLOTS:
    void init();
    void cleanup();

    void sortDialog_data();
    void sortDialog();
    void sortResultAppliesToRows();
    void chooseVisibleColumns_data();
    void chooseVisibleColumns();
    void titleClick_data();
    void titleClick();
    void cancelAfterTitleClickRemovesSort();

private:
    QStringList codes() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<data::TdmData> m_dm;
    std::unique_ptr<db::Dataset> m_rows;
    std::unique_ptr<grid::DBGridEh> m_grid;
};
