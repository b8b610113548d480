#pragma once
// The dialog that asks for the name of a tree node.

#include <QDialog>

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

namespace Ui {
class TDLGenterCaption;
}

namespace codes {

/// "节点名称" with one edit; OK refuses a name that is blank after trimming.
class TDLGenterCaption : public QDialog
{
    Q_OBJECT
public:
    explicit TDLGenterCaption(QWidget* parent = nullptr);
    ~TDLGenterCaption() override;

    QLabel* Label1;
    QLineEdit* edtCurValue;
    QPushButton* btnOK;
    QPushButton* btnCancel;

    /// Shows the dialog with the caption; the typed name (untrimmed) on OK, empty text otherwise.
    /// For a rename the caller puts the current name into edtCurValue first.
    QString AskNodeName(const QString& caption);

public Q_SLOTS:
    void btnOKClick();

private:
    std::unique_ptr<Ui::TDLGenterCaption> m_ui;
};

} // namespace codes
