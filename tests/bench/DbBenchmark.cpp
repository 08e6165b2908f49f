// Times one database task of the program against the benchmark database, in its own
// process so that the memory figures belong to that task alone:
//   db_benchmark.exe tables|fill|batch|million
//   db_benchmark.exe fetch|convert [statement]   (the layer alone: reading values, and
//                                                 reading and converting them to text)
//   db_benchmark.exe breakdown [statement]       (the same per phase and the grid fill, on stderr)
//   db_benchmark.exe repeat [task]               (a task twice in one process, or KESTROVA_BENCH_REPEAT
//                                                 times; each time on stderr)
// Prints "<task> <seconds> <peak growth in MB> <rows or values>".
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <vector>

#include "common/GridView.h"
#include "BenchClock.h"
#include "schema/SchemaBrowser.h"

namespace {

const char kBenchConnection[] = "KestrovaPgBench,bench,kestrova,kestrova";

SIZE_T WorkingSet(bool peak)
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return peak ? counters.PeakWorkingSetSize : counters.WorkingSetSize;
}

int RunTask(const char* task, const char* statement, SchemaBrowser& browser, GridView& grid);

// Where one statement's time goes, phase by phase, on the layer and the grid the fills use;
// each phase is timed as a whole so that the clock itself does not weigh in.
int Breakdown(const char* text, SchemaBrowser& browser, GridView& grid)
{
    double t0 = Now();
    Connection connection;
    connection.SetCursorLocation(ado::adUseClient);
    if (FAILED(connection.Open(browser.record.connectionString)))
        return -1;
    double t1 = Now();
    Recordset rows;
    rows.SetCursorLocation(ado::adUseClient);
    rows.Open(text, &connection, ado::adOpenKeyset, ado::adLockOptimistic, ado::adCmdText);
    double t2 = Now();
    long fields = rows.Fields().Count();
    long read = 0;
    for (; !rows.Eof(); rows.MoveNext())
        ++read;
    double t3 = Now();
    std::vector<VornString> texts;
    texts.reserve(static_cast<size_t>(read * fields));
    for (rows.MoveFirst(); !rows.Eof(); rows.MoveNext())
        for (long i = 0; i < fields; ++i)
            texts.push_back(ValueToText(rows.Fields().Item(i)->Value(), ValueTextMode::IntegersByFormat));
    double t4 = Now();
    long count = rows.RecordCount();
    rows.Close();
    connection.Close();
    double t5 = Now();
    grid.Hide();
    grid.Clear();
    for (long i = 0; i < fields; ++i)
        grid.AddColumn("列", 100);
    size_t next = 0;
    for (long row = 0; row < read; ++row) {
        grid.AddRow();
        for (long i = 0; i < fields; ++i)
            grid.SetText(static_cast<int>(i), texts[next++]);
    }
    double t6 = Now();
    grid.AutoSizeColumns();
    grid.Show();
    double t7 = Now();
    // Again, with the glyphs measured once already.
    grid.AutoSizeColumns();
    double again = Now() - t7;
    t7 = Now();
    connection.Open(browser.record.connectionString);
    double t8 = Now();
    connection.Close();
    double t9 = Now();
    std::fprintf(stderr,
                 "connect %.3f  execute %.3f  fetch %.3f  text %.3f  count+close %.3f  grid %.3f  autosize %.3f"
                 " (again %.3f)  (%ld rows x %ld, count %ld)\nsecond connect %.3f  close %.3f\n",
                 t1 - t0, t2 - t1, t3 - t2, t4 - t3, t5 - t4, t6 - t5, t7 - t6 - again, again, read, fields, count,
                 t8 - t7, t9 - t8);
    return static_cast<int>(texts.size());
}

int RunTask(const char* task, const char* statement, SchemaBrowser& browser, GridView& grid)
{
    if (std::strcmp(task, "tables") == 0)
        return browser.LoadTableList(grid);
    if (std::strcmp(task, "fill") == 0) {
        browser.RowLimit = 1000;
        browser.sqlText = "select * from \"二十列\"";
        return browser.FillResultList(grid);
    }
    if (std::strcmp(task, "batch") == 0) {
        VornString batch;
        for (int i = 1; i <= 1000; ++i)
            batch.AppendFormat("insert into \"挿入先\" values (%d, '行①～%d', %d.5);\n", i, i, i);
        browser.sqlText = batch;
        return browser.RunBatch(grid, nullptr);
    }
    if (std::strcmp(task, "million") == 0) {
        browser.tableName = "\"百万行\"";
        browser.selectList = "*";
        browser.sqlText.Clear();
        int rows = browser.FillDataGrid(grid);
        return rows == 50 ? static_cast<int>(browser.recordCount) : -rows;
    }
    if (std::strcmp(task, "breakdown") == 0)
        return Breakdown(statement ? statement : "select * from \"二十列\"", browser, grid);
    if (std::strcmp(task, "repeat") == 0) {
        // A task again and again in one process: the runs after the first are what a user pays
        // for every action after the first one (drivers loaded, code paged in).
        const char* again = statement ? statement : "tables";
        const char* times = std::getenv("KESTROVA_BENCH_REPEAT");
        int runs = times && std::atoi(times) > 1 ? std::atoi(times) : 2;
        int result = 0;
        for (int run = 1; run <= runs; ++run) {
            double begin = Now();
            result = RunTask(again, nullptr, browser, grid);
            std::fprintf(stderr, "%s run %d: %.3f\n", again, run, Now() - begin);
        }
        return result;
    }
    if (std::strcmp(task, "fetch") == 0 || std::strcmp(task, "convert") == 0) {
        Connection connection;
        connection.Open(browser.record.connectionString);
        Recordset rows;
        rows.Open(statement ? statement : "select * from \"二十列\"", &connection, 1, 3, 1);
        int values = 0;
        for (; !rows.Eof(); rows.MoveNext())
            for (long i = 0; i < rows.Fields().Count(); ++i) {
                const VARIANT& value = rows.Fields().Item(i)->Value();
                if (task[0] == 'c')
                    values += static_cast<int>(ValueToText(value, ValueTextMode::IntegersByFormat).Length() > 0);
                else
                    values += value.vt != VT_EMPTY;
            }
        return values;
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv)
{
    const char* task = argc > 1 ? argv[1] : "tables";
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    HWND owner = CreateWindowExA(0, "STATIC", "計測", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    GridView grid(owner, 0, 0, 780, 560);
    SchemaBrowser browser;
    browser.messageSink = [](HWND, const char* text) { std::fprintf(stderr, "message: %s\n", text); };
    browser.BuildConnection(DatabaseKind::Postgres, kBenchConnection);
    if (std::strcmp(task, "batch") == 0) {
        browser.sqlText = "drop table if exists \"挿入先\"";
        browser.ExecuteSqlText();
        browser.sqlText = "create table \"挿入先\" (\"番号\" integer primary key, \"名前\" varchar(40), \"値\" numeric)";
        browser.ExecuteSqlText();
    }

    SIZE_T before = WorkingSet(false);
    double start = Now();
    int result = RunTask(task, argc > 2 ? argv[2] : nullptr, browser, grid);
    double seconds = Now() - start;
    double growth = static_cast<double>(WorkingSet(true) - before) / (1024.0 * 1024.0);
    std::printf("%s %.3f %.1f %d\n", task, seconds, growth, result);
    DestroyWindow(owner);
    return result < 0 ? 1 : 0;
}
