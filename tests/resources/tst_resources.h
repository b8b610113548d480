#pragma once
#include <QObject>

// The compiled-in pictures render through the SVG plugins, and the help files lie beside the
// executables.
class TstResources : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void namedIconRenders_data();
    void namedIconRenders();
    void everyCompiledFileLoads_data();
    void everyCompiledFileLoads();
    void unknownIconIsNull();
    void loginBannerNamesTheProduct();
    void helpFileBesideExecutable_data();
    void helpFileBesideExecutable();
};
