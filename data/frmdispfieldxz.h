#pragma once
// The displayed-fields chooser: one ticked line per grid column.

#include <QDialog>

#include <memory>

class QListWidget;
class QPushButton;

namespace Ui {
class TFrmDispFieldXZ;
}

namespace data {

/// "字段列表": the column titles with a tick for each shown column.
class TFrmDispFieldXZ : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmDispFieldXZ(QWidget* parent = nullptr);
    ~TFrmDispFieldXZ() override;

    QListWidget* CheckListBox1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

    /// One line per caption, ticked where `ticked` says so.
    void FillList(const QStringList& captions, const QList<bool>& ticked);
    /// The tick of each line, in list order.
    QList<bool> TickedStates() const;

public Q_SLOTS:
    void BitBtn1Click();
    void BitBtn2Click();

private:
    std::unique_ptr<Ui::TFrmDispFieldXZ> m_ui;
};

} // namespace data
