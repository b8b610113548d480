#pragma once

#include <QObject>
#include <QTemporaryDir>

#include <memory>

namespace data {
class TdmData;
}

// The data module's services on the run's backend: results, messages, quoting, lost server.
class TstServices : public QObject
{
    Q_OBJECT
public:
    TstServices();
    ~TstServices() override;

private Q_SLOTS:
    void init();
    void cleanup();

    void lookupInt_data();
    void lookupInt();
    void lookupText_data();
    void lookupText();
    void execAndDelete_data();
    void execAndDelete();
    void openQuery_data();
    void openQuery();
    void fillPickList();
    void hasRight_data();
    void hasRight();
    void writeLog_data();
    void writeLog();
    void writeLogFailsSilently();
    void hostileValues_data();
    void hostileValues();
    void likePatterns_data();
    void likePatterns();
    void tooLongText_data();
    void tooLongText();
    void lostServer();

private:
    void insertCode(const QString& type, const QString& name);
    qint64 codeCount();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<data::TdmData> m_dm;
};
