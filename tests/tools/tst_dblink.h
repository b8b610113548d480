#pragma once

#include <QObject>
#include <QTemporaryDir>

#include <memory>

// The connection-settings program: the keys it writes, its dialog and its command line.
class TstDblink : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void settingsRoundTrip_data();
    void settingsRoundTrip();
    void dialogPrefillsAndSaves();
    void commandLine_data();
    void commandLine();

private:
    QString configPath() const;
    std::unique_ptr<QTemporaryDir> m_dir;
};
