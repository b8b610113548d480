#pragma once

#include <QObject>

// SavePass and GetPass: exact round trips, no clear text in the stored form, bad input refused.
class TstPassword : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void encodingsVary();
    void invalidDecodesEmpty_data();
    void invalidDecodesEmpty();
};
