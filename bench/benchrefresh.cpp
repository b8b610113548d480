#include "benchrefresh.h"

#include "benchtiming.h"
#include "dbgrideh.h"
#include "dmdata.h"
#include "frmmain.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <cstdio>
#include <sqlite3.h>

namespace bench {

bool benchRefresh(const QString& path, const QString& label, bool keystrokes)
{
    data::TdmData dm;
    data::dmData = &dm;
    db::ConnectionSettings settings;
    settings.database = path;
    dm.ADOcnn.open(settings);
    dm.IsConnected = true;

    bool ok = true;
    {
        reg::TFrmMain window;
        window.resize(1024, 768);
        window.show(); // the show sequence loads the trees, the list page and the layouts

        const QByteArray statement =
            dm.ADOcnn.dialect().translate(window.ListSql + reg::listOrderClause()).toUtf8();
        sqlite3* handle = nullptr;
        sqlite3_open_v2(path.toUtf8().constData(), &handle, SQLITE_OPEN_READONLY, nullptr);
        FloorResult floorRows;
        const double floor = medianMs([&] { floorRows = stepWithCApi(handle, statement); });
        sqlite3_close(handle);

        const double ours = medianMs([&] { window.RefreshEquipmentList(); });
        if (window.QryMain.recordCount() != floorRows.rows) {
            std::fprintf(stderr, "refresh lists %d rows, the statement %d\n",
                         window.QryMain.recordCount(), floorRows.rows);
            ok = false;
        } else {
            printLine(QStringLiteral("refresh equipment list %1 (%2 rows)")
                          .arg(label)
                          .arg(floorRows.rows),
                      ours, "ms", floor);
        }

        if (ok && keystrokes) {
            // A user typing a name: each keystroke re-runs the list, then the grid repaints.
            window.ComboBox1->setCurrentIndex(1);
            const QString typed = QStringLiteral("泵");
            int i = 0;
            const double keystroke = medianMs([&] {
                window.Edit1->setText((i++ % 2) ? QString() : typed);
                window.DBGridEh1->view()->viewport()->repaint();
            });
            std::printf("search keystroke to repainted grid %s: %.2f ms (goal at most 100 ms)\n",
                        qPrintable(label), keystroke);
            std::fflush(stdout);
        }
    }
    data::dmData = nullptr;
    return ok;
}

} // namespace bench
