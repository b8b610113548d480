#pragma once
#include "connection.h"
#include "rowstore.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QVariant>
#include <vector>

namespace db {

class Dataset;

/// One cell of a dataset, read in the form the caller asks for.
class Field
{
public:
    Field(const Dataset* dataset, int row, int column) : m_ds(dataset), m_row(row), m_col(column) {}

    bool isNull() const;
    QString name() const;
    FieldKind kind() const;
    /// Numbers as shortest text, dates "yyyy-MM-dd" (with " hh:mm:ss" when not midnight),
    /// NULL as empty text.
    QString asString() const;
    qint64 asInteger() const;
    double asFloat() const;
    bool asBool() const;
    QDateTime asDateTime() const;
    QByteArray asBytes() const;
    QVariant asVariant() const;

private:
    const Dataset* m_ds;
    int m_row;    // row in the store
    int m_col;
};

/// A query with its whole result held in memory: the query object of the windows. It runs its
/// SQL on the shared connection, binds ":name" parameters by name, moves a current row over the
/// result, sorts the loaded rows, finds rows, posts edits of the current row by its F_ID, and can
/// follow a master dataset. Failures throw DbError.
class Dataset : public QObject
{
    Q_OBJECT
public:
    explicit Dataset(Connection* connection, QObject* parent = nullptr);
    ~Dataset() override;

    Connection* connection() const { return m_conn; }

    /// Replaces the statement; an open dataset is closed first.
    void setSql(const QString& sql);
    const QString& sql() const { return m_sql; }
    void setParam(const QString& name, const QVariant& value) { m_params.set(name, value); }
    QVariant param(const QString& name) const { return m_params.value(name); }
    void clearParams() { m_params.clear(); }

    void open();
    void close();
    /// Runs the statement as one that returns no rows; the number of rows it changed.
    qint64 execSql();
    bool isOpen() const { return m_open; }

    int recordCount() const { return int(m_order.size()); }
    bool isEmpty() const { return m_order.empty(); }
    /// Position of the current row among the rows in their present order; -1 when empty.
    int recNo() const { return isEmpty() ? -1 : m_current; }
    bool bof() const { return m_bof; }
    bool eof() const { return m_eof; }
    void first();
    void prior();
    void next();
    void last();
    bool moveTo(int position);

    int fieldCount() const { return m_rows.columnCount(); }
    QString fieldName(int column) const;
    FieldKind fieldKind(int column) const;
    /// Index of the field without regard to case; -1 when there is none.
    int fieldIndex(const QString& name) const;
    /// The field of the current row; throws when there is no such field.
    Field field(const QString& name) const;
    Field field(int column) const;
    /// A cell by position in the present order.
    Field cell(int position, int column) const;

    struct LocateOptions
    {
        bool caseInsensitive = false;
        bool partialKey = false; // the value is a prefix of the field's text
    };
    /// Makes the first row whose field matches current; false (and no move) when none does.
    bool locate(const QString& fieldName, const QVariant& value, LocateOptions options);
    bool locate(const QString& fieldName, const QVariant& value)
    {
        return locate(fieldName, value, LocateOptions{});
    }

    /// Orders the loaded rows, e.g. "F_code ASC, F_name DESC"; empty text restores the order
    /// the statement gave. The current row stays current.
    void setSort(const QString& sortText);
    const QString& sort() const { return m_sort; }

    /// Editing of the current row, posted as one update by F_ID of the table named in `from`.
    void edit();
    bool isEditing() const { return m_editing; }
    void setValue(const QString& fieldName, const QVariant& value);
    void post();
    void cancel();
    void setUpdateTable(const QString& table) { m_updateTable = table; }
    QString updateTable() const;

    /// Re-runs this dataset with `paramName` = master's `masterField` whenever the master's
    /// current row changes; a failure is reported through linkFailed and leaves this closed.
    void setMaster(Dataset* master, const QString& masterField, const QString& paramName);

    /// Bytes held by the loaded rows and the order over them.
    std::size_t memoryBytes() const;

    /// Used by Field.
    const RowStore& rows() const { return m_rows; }

Q_SIGNALS:
    void aboutToReset();
    void resetDone();
    void afterOpen();
    void afterClose();
    void afterScroll();
    void rowChanged(int position);
    void linkFailed(const QString& message);

private:
    int storeRow(int position) const { return m_order[std::size_t(position)]; }
    void setCurrent(int position);
    void followMaster();

    Connection* m_conn;
    QString m_sql;
    Params m_params;
    RowStore m_rows;
    std::vector<int> m_order; // positions → rows of the store
    int m_current = 0;
    bool m_open = false;
    bool m_bof = true;
    bool m_eof = true;
    QString m_sort;
    bool m_editing = false;
    QHash<int, QVariant> m_pending;
    QString m_updateTable;
    QPointer<Dataset> m_master;
    QString m_masterField;
    QString m_masterParam;
    QMetaObject::Connection m_masterScroll;
    QMetaObject::Connection m_masterClose;
};

} // namespace db
