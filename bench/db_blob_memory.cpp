// Memory for a grid scrolled through a table of 300 rows with 2 MB BLOBs:
// the grid shows "(GRAPHIC)", so the BLOBs stay in the file. The counter
// reports the largest resident-memory growth over the program before the
// table was opened (target: under 50 MB).

#include "offscreen_main.h"
#include "dataset/data_source.h"
#include "dataset/sql_data_set.h"
#include "dataset/sqlite_connection.h"
#include "skin/data_aware/db_grid.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>

namespace {

constexpr int kRows = 300;
constexpr int kBlobBytes = 2 * 1024 * 1024;

double ResidentMb()
{
    QFile statm("/proc/self/statm");
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> parts = statm.readAll().split(' ');
    return parts.size() > 1 ? parts[1].toDouble() * 4096.0 / (1024.0 * 1024.0) : 0;
}

void BM_GridScrollsBlobTable(benchmark::State& state)
{
    QTemporaryDir dir;
    {
        SqliteConnection writer(dir.filePath("blobs.db"));
        writer.Exec("CREATE TABLE pictures (id INTEGER PRIMARY KEY, name TEXT, picture BLOB)");
        writer.Exec("BEGIN");
        writer.Exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                                   "INSERT INTO pictures (name, picture) SELECT 'Picture ' || i, randomblob(%2) FROM n")
                        .arg(kRows)
                        .arg(kBlobBytes));
        writer.Exec("COMMIT");
    }
    SqliteConnection db(dir.filePath("blobs.db"));
    TSqlDataSet set(db.Database());
    set.SetTableName("pictures");
    TDataSource source(&set);
    TskDBGrid grid;
    grid.resize(600, 400);
    grid.SetDataSource(&source);
    grid.show();
    grid.setFocus();
    QApplication::processEvents();
    const double before = ResidentMb();
    double peak = before;
    for (auto _ : state) {
        set.Open();
        grid.viewport()->repaint();
        for (int i = 0; i < kRows; ++i) {
            QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
            QApplication::sendEvent(&grid, &down);
            grid.viewport()->repaint();
            peak = std::max(peak, ResidentMb());
        }
        set.Close();
    }
    state.counters["rss_before_mb"] = before;
    state.counters["rss_growth_mb"] = peak - before;
    state.counters["under_50_mb"] = peak - before < 50 ? 1 : 0;
}
BENCHMARK(BM_GridScrollsBlobTable)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv)
{
    return RunOffscreenBenchmarks<QApplication>(argc, argv);
}
