#pragma once

#include <QObject>

// ShowMess in scripted and in real mode, and window placement.
class TstMessages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scriptedLogsAndAnswers();
    void scriptedNests();
    void realBox_data();
    void realBox();
    void placement_data();
    void placement();
};
