#pragma once

#include <QObject>
#include <QTemporaryDir>
#include <memory>

namespace data {
class TdmData;
}
namespace reg {
class TFrmMain;
}

// The main window over a small register: the list and its filters with awkward texts, the list
// page, the trees, the advanced search button, the detail pages, a failing list, the exit.
class TstMainWindow : public QObject
{
    Q_OBJECT
public:
    TstMainWindow();
    ~TstMainWindow() override;

private Q_SLOTS:
    void init();
    void cleanup();
    void showSequence();
    void quickSearch_data();
    void quickSearch();
    void treeFilter();
    void listPage();
    void emptyDates();
    void advancedSearch();
    void detailPages();
    void failingList();
    void titleClick();
    void exitQuestion();
    void frameCommands();

private:
    void addEquipment(const QString& code, const QString& name, const QString& type,
                      const QString& dept, const QVariant& disabled, const QString& status,
                      const QString& buildDate, const QString& remarks);
    std::unique_ptr<reg::TFrmMain> showWindow();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<data::TdmData> m_dm;
};
