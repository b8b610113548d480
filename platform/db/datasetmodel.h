#pragma once
#include <QAbstractTableModel>
#include <QPointer>

namespace db {

class Dataset;

/// The table model of every grid: a view over a Dataset's rows, never a copy of them.
class DatasetModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit DatasetModel(Dataset* dataset, QObject* parent = nullptr);

    Dataset* dataset() const { return m_ds; }
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QPointer<Dataset> m_ds;
};

} // namespace db
