#pragma once

#include <QObject>
#include <QTemporaryDir>

#include <memory>

// The Config.ini reader and writer: lookups, defaults, and rewrites that keep the rest of the file.
class TstIniFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void missingFileGivesDefaults();
    void readString_data();
    void readString();
    void readInteger_data();
    void readInteger();
    void write_data();
    void write();
    void valuesRoundTrip_data();
    void valuesRoundTrip();
    void readsSeeEveryChange();
    void refusedWrites_data();
    void refusedWrites();
    void unwritablePath();

private:
    QString writeFile(const QByteArray& content) const;
    QByteArray fileContent() const;
    QString filePath() const;

    std::unique_ptr<QTemporaryDir> m_dir;
};
