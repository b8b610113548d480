#pragma once

#include <QObject>
#include <QTemporaryDir>

#include <memory>

namespace data {
class TdmData;
}

// Grid layouts in cfg_Grid: the seed rows, loading, saving, their messages and edge cases.
class TstGridLayout : public QObject
{
    Q_OBJECT
public:
    TstGridLayout();
    ~TstGridLayout() override;

private Q_SLOTS:
    void init();
    void cleanup();

    void seedMatchesDesign_data();
    void seedMatchesDesign();
    void saveAndLoadRoundTrip();
    void savedCodes_data();
    void savedCodes();
    void noRows();
    void sameOrder();
    void loadError();
    void saveGoesOnAfterFailure();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<data::TdmData> m_dm;
};
