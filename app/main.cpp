// The equipment register client.
#include "startup.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    return app::RunStartup();
}
