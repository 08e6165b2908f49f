// Times the data view over the benchmark database, the way the main window opens it (a
// table-list row clicked, its definition shown, the view created over the main window):
//   1. opening "百万行" with row limit 1,000 (time, private bytes and working-set growth)
//   2. GridView::SortByColumn over 10,000 rows of the view, and the view's own header
//      double-click (a reload with ORDER BY) for the same 10,000 rows
//   3. "更新" of 1,000 rows edited in one non-key column of a scratch copy "更新計測"
//   4. copying "表示されている全ての行" (100,000 rows) to the clipboard
//   dataview_benchmark.exe [folder [tasks]]   (tasks: some of open,sort,apply,copy; all by default)
// The scratch table is created here and left for the caller's psql peer, which runs the same
// UPDATE statements; they are written to folder\dataview_updates.sql in code page 932.
// The caller drops the table. Prints one line per figure, "<task> <seconds> [more]"; the
// steps and the checks go to stderr.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "common/Clipboard.h"
#include "common/SjisText.h"
#include "dataview/DataViewWindow.h"
#include "resources/DataViewIds.h"

namespace {

const char kBenchConnection[] = "KestrovaPgBench,bench,kestrova,kestrova";
const char kMillion[] = "百万行";
const char kScratch[] = "更新計測";
const char kEditedColumn[] = "名前";
const int kOpenRuns = 3;
const int kSortRuns = 3;
const int kTypedRows = 20;

double Now()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Memory {
    double privateBytes;
    double workingSet;
};

// Private bytes are the commit charge (PagefileUsage, which Wine fills where it leaves
// PrivateUsage 0).
Memory MemoryNow()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    const double mb = 1024.0 * 1024.0;
    return {static_cast<double>(counters.PagefileUsage) / mb, static_cast<double>(counters.WorkingSetSize) / mb};
}

// Everything the windows have queued, without waiting for more.
void Pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// A message box nobody answers would hold the run for ever: after a while it is cancelled
// and its text reported, and the figures of that run are not to be trusted.
volatile bool g_stopWatching = false;
volatile LONG g_boxesCancelled = 0;

BOOL CALLBACK CancelOwnBox(HWND window, LPARAM)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    if (process != GetCurrentProcessId() || std::strcmp(className, "#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    HWND text = FindWindowExA(window, nullptr, "Static", nullptr);
    char message[512] = "";
    while (text && !message[0]) {
        GetWindowTextA(text, message, sizeof message);
        text = FindWindowExA(window, text, "Static", nullptr);
    }
    if (!message[0])
        return TRUE;   // the data view itself is a dialog without static texts
    std::fprintf(stderr, "message box cancelled: %s\n", message);
    InterlockedIncrement(&g_boxesCancelled);
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

DWORD WINAPI Watch(void*)
{
    int waited = 0;
    while (!g_stopWatching) {
        Sleep(250);
        if ((waited += 250) % 5000 == 0)
            EnumWindows(CancelOwnBox, 0);
    }
    return 0;
}

bool Run(DbLink& link, const std::string& statement)
{
    link.sqlText = statement.c_str();
    if (link.ExecuteSqlText() == 0)
        return true;
    std::fprintf(stderr, "failed: %s\n%s\n", statement.c_str(), link.ErrorText.Text());
    return false;
}

// The first value of a query, read on a link of the benchmark's own.
std::string FirstValue(DbLink& link, GridView& scratch, const std::string& query)
{
    link.sqlText = query.c_str();
    if (link.FillResultList(scratch) < 1 || scratch.ColumnCount() < 1)
        return "<failed>";
    return scratch.CellText(0, 0).Text();
}

// MainWindow's own Handle(message, ...) hides the window's handle.
HWND HandleOf(MainWindow& main) { return static_cast<WindowBase&>(main).Handle(); }

int TableRow(MainWindow& main, const char* table)
{
    GridView& list = main.TableList();
    for (int row = 0; row < list.RowCount(); ++row)
        if (list.CellText(row, 1).Equals(table))
            return row;
    return -1;
}

// The row clicked in the table list, so that the definition view shows the table's columns
// and keys, as before a double-click.
void ClickTable(MainWindow& main, int row)
{
    GridView& list = main.TableList();
    list.SelectAll(false);
    list.SelectRow(row, true);
    NMITEMACTIVATE activate = {};
    activate.hdr.hwndFrom = list.ListHandle();
    activate.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(list.ListHandle()));
    activate.hdr.code = NM_CLICK;
    activate.iItem = row;
    activate.iSubItem = 1;
    SendMessageA(HandleOf(main), WM_NOTIFY, activate.hdr.idFrom, reinterpret_cast<LPARAM>(&activate));
    Pump();
}

int FieldColumn(GridView& grid, const char* name)
{
    for (int column = 2; column < grid.ColumnCount(); ++column)
        if (grid.ColumnTitle(column).Equals(name))
            return column;
    return -1;
}

// Opens the view of the table with the row limit; seconds until its rows are shown.
double OpenView(MainWindow& main, std::unique_ptr<DataViewWindow>& view, const char* table, long limit)
{
    int row = TableRow(main, table);
    if (row < 0)
        return -1;
    ClickTable(main, row);
    main.Browser().RowLimit = limit;
    double start = Now();
    view.reset(new DataViewWindow(main.DataViewContextFor(row)));
    HWND window = view->Create(HandleOf(main));
    double created = Now();
    Pump();
    double seconds = Now() - start;
    std::fprintf(stderr, "open of %s (row limit %ld): window and fill %.3f, first paint %.3f\n", table, limit,
                 created - start, seconds - (created - start));
    return window ? seconds : -1;
}

void CloseView(std::unique_ptr<DataViewWindow>& view)
{
    if (view)
        view->Close();
    view.reset();
    Pump();
}

// Where the open's time goes: the steps of the view's fill done one by one on the layer the
// fill uses (the same cursor and statement), then the fill itself into a hidden grid.
void OpenBreakdown(SchemaBrowser& browser, GridView& hidden, const char* table, long limit)
{
    VornString sql("select * from \"");
    sql.Append(table);
    sql.Append("\"");
    double t0 = Now();
    Connection connection;
    connection.SetCursorLocation(ado::adUseClient);
    if (FAILED(connection.Open(browser.record.connectionString, "", "", -1)))
        return;
    double t1 = Now();
    Recordset rows;
    rows.SetCursorLocation(ado::adUseClient);
    rows.Open(sql, &connection, ado::adOpenKeyset, ado::adLockOptimistic, ado::adCmdText);
    double t2 = Now();
    long read = 0;
    size_t bytes = 0;
    for (; read < limit && !rows.Eof(); rows.MoveNext(), ++read)
        for (long i = 0; i < rows.Fields().Count(); ++i)
            bytes += ValueToText(rows.Fields().Item(i)->Value(), ValueTextMode::General).Length();
    double t3 = Now();
    long count = rows.RecordCount();
    double t4 = Now();
    rows.Close();
    connection.Close();
    double t5 = Now();
    long saved = browser.RowLimit;
    browser.RowLimit = limit;
    browser.sqlText = sql;
    int filled = browser.FillDataGrid(hidden);
    browser.RowLimit = saved;
    double t6 = Now();
    std::fprintf(stderr,
                 "open steps: connect %.3f  execute %.3f  read %ld rows %.3f  count (%ld) %.3f  close %.3f;"
                 "  whole fill of %d rows %.3f\n",
                 t1 - t0, t2 - t1, read, t3 - t2, count, t4 - t3, t5 - t4, filled, t6 - t5);
    (void)bytes;
}

bool IsSorted(GridView& grid, int column, bool descending)
{
    for (int row = 1; row < grid.RowCount(); ++row) {
        int order = sjis::CompareIgnoreCase(grid.CellText(row - 1, column), grid.CellText(row, column));
        if (descending ? order < 0 : order > 0)
            return false;
    }
    return true;
}

// Types into a cell through the in-place editor, as a click and typing would.
bool Type(DataViewWindow& view, int row, int column, const char* text)
{
    GridView& grid = view.Grid();
    SendMessageA(view.Handle(), kGridClick, reinterpret_cast<WPARAM>(grid.ListHandle()), MAKELONG(row, column));
    if (!IsWindowVisible(grid.EditBox()))
        return false;
    SetWindowTextA(grid.EditBox(), text);
    SetFocus(grid.ListHandle());
    Pump();
    return view.RowState(row) == kRowEdited;
}

bool WriteBytes(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size();
    CloseHandle(file);
    return ok;
}

const char* g_tasks = nullptr;

bool Wanted(const char* task)
{
    if (!g_tasks || !*g_tasks)
        return true;
    std::string list = std::string(",") + g_tasks + ",";
    return list.find(std::string(",") + task + ",") != std::string::npos;
}

int CountLines(const char* text)
{
    int lines = 0;
    for (const char* at = text; *at; ++at)
        lines += *at == '\n';
    return lines;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string folder = argc > 1 ? argv[1] : ".";
    g_tasks = argc > 2 ? argv[2] : nullptr;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    HANDLE watchdog = CreateThread(nullptr, 0, Watch, nullptr, 0, nullptr);

    // A program folder and settings file of the run's own.
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string program = std::string(temp) + "kestrova_dataview_benchmark";
    CreateDirectoryA(program.c_str(), nullptr);
    std::string settings = program + "\\Kestrova.ini";
    DeleteFileA(settings.c_str());

    HINSTANCE instance = GetModuleHandleA(nullptr);
    MainWindowSetup setup;
    setup.programFolder = program.c_str();
    setup.settingsPath = settings.c_str();
    MainWindow::RegisterWindowClass(instance);
    MainWindow main(setup);
    main.Browser().messageSink = [](HWND, const char* text) { std::fprintf(stderr, "message: %s\n", text); };
    if (!main.Create(instance, SW_SHOW)) {
        std::fprintf(stderr, "no main window\n");
        return 1;
    }
    Pump();

    // The scratch copy exists before the table list is read, so that the list shows it.
    GridView scratchGrid(HandleOf(main), 0, 0, 10, 10);
    scratchGrid.Hide();
    DbLink link;
    link.messageSink = [](HWND, const char* text) { std::fprintf(stderr, "message: %s\n", text); };
    link.BuildConnection(DatabaseKind::Postgres, kBenchConnection);
    std::string scratch = std::string("\"") + kScratch + "\"";
    if (!Run(link, "drop table if exists " + scratch) ||
        !Run(link, "create table " + scratch + " as select * from \"" + kMillion + "\" where \"番号\" <= 1000") ||
        !Run(link, "alter table " + scratch + " add primary key (\"番号\")"))
        return 1;

    double start = Now();
    if (!main.ConnectWith(DatabaseKind::Postgres, kBenchConnection)) {
        std::fprintf(stderr, "cannot connect\n");
        return 1;
    }
    Pump();
    std::fprintf(stderr, "connect and table list of %d tables: %.3f s\n", main.TableList().RowCount(), Now() - start);
    int failures = 0;
    std::unique_ptr<DataViewWindow> view;

    // 1. Open with row limit 1,000: best time of the runs, the largest memory growth.
    double openBest = 1e9, privateGrowth = 0, workingSetGrowth = 0, privateSeen = 0;
    for (int run = 0; Wanted("open") && run < kOpenRuns; ++run) {
        Memory before = MemoryNow();
        double seconds = OpenView(main, view, kMillion, 1000);
        Memory after = MemoryNow();
        int rows = view ? view->Grid().RowCount() : 0;
        std::fprintf(stderr, "open run %d: %.3f s, %d rows, private %.1f -> %.1f MB, working set %.1f -> %.1f MB\n",
                     run + 1, seconds, rows, before.privateBytes, after.privateBytes, before.workingSet,
                     after.workingSet);
        if (seconds < 0 || rows != 1000) {
            ++failures;
            std::fprintf(stderr, "open: %d rows instead of 1000\n", rows);
        }
        if (run == 0 && view) {
            // The reload alone (F5), without the window's creation.
            double begin = Now();
            SendMessageA(view->Handle(), WM_COMMAND, IDM_DV_REFRESH, 0);
            Pump();
            std::fprintf(stderr, "open steps: reload of the open view %.3f\n", Now() - begin);
        }
        openBest = std::min(openBest, seconds);
        privateGrowth = std::max(privateGrowth, after.privateBytes - before.privateBytes);
        privateSeen = std::max(privateSeen, after.privateBytes);
        workingSetGrowth = std::max(workingSetGrowth, after.workingSet - before.workingSet);
        CloseView(view);
    }
    if (Wanted("open")) {
        OpenBreakdown(main.Browser(), scratchGrid, kMillion, 1000);
        // Private bytes last: 0 where the system does not report them.
        std::printf("open %.3f %.1f %.1f %.1f\n", openBest, privateGrowth, workingSetGrowth, privateSeen);
        std::fflush(stdout);
    }

    // 2. Sorting 10,000 rows of the view by a header.
    if (Wanted("sort")) {
        double open10k = OpenView(main, view, kMillion, 10000);
        int nameColumn = view ? FieldColumn(view->Grid(), kEditedColumn) : -1;
        if (open10k < 0 || nameColumn < 0 || view->Grid().RowCount() != 10000) {
            std::fprintf(stderr, "no 10,000-row view\n");
            return 1;
        }
        std::fprintf(stderr, "open with row limit 10,000: %.3f s\n", open10k);
        double sortBest = 1e9;
        for (int run = 0; run < kSortRuns; ++run) {
            bool descending = run % 2 == 1;
            GridView& grid = view->Grid();
            double begin = Now();
            grid.SortByColumn(nameColumn, descending);
            double seconds = Now() - begin;
            Pump();
            std::fprintf(stderr, "sort run %d (%s): %.3f s\n", run + 1, descending ? "descending" : "ascending",
                         seconds);
            if (!IsSorted(grid, nameColumn, descending) || grid.RowCount() != 10000) {
                ++failures;
                std::fprintf(stderr, "sort: rows not in order\n");
            }
            sortBest = std::min(sortBest, seconds);
        }
        std::printf("sort %.3f %d\n", sortBest, view->Grid().RowCount());
        {
            double begin = Now();
            SendMessageA(view->Handle(), kGridHeaderDoubleClick, reinterpret_cast<WPARAM>(view->Grid().ListHandle()),
                         nameColumn);
            Pump();
            double seconds = Now() - begin;
            GridView& grid = view->Grid();
            if (grid.RowCount() != 10000 || !grid.CellText(0, nameColumn).Equals("名前1")) {
                ++failures;
                std::fprintf(stderr, "header double-click: %d rows, first %s\n", grid.RowCount(),
                             grid.RowCount() ? grid.CellText(0, nameColumn).Text() : "-");
            }
            std::printf("header %.3f %d\n", seconds, grid.RowCount());
        }
        std::fflush(stdout);
        CloseView(view);
    }

    // 3. "更新" of 1,000 edited rows of the scratch table.
    if (Wanted("apply")) {
        if (OpenView(main, view, kScratch, 1000) < 0 || view->Grid().RowCount() != 1000 || !view->HasKey()) {
            std::fprintf(stderr, "no view of the scratch table with its key\n");
            return 1;
        }
        {
            GridView& grid = view->Grid();
            int column = FieldColumn(grid, kEditedColumn);
            int edited = 0;
            double begin = Now();
            // The first rows are typed through the in-place editor, the path a user takes; the
            // others get the same text and the edited state the editor leaves, since every typed
            // cell costs some 70 ms of window traffic under Wine and typing is not what is timed.
            for (int row = 0; row < grid.RowCount(); ++row) {
                char text[64];
                std::snprintf(text, sizeof text, "更新①～%d", row + 1);
                if (row < kTypedRows) {
                    edited += Type(*view, row, column, text);
                    continue;
                }
                grid.SetCellText(row, column, text);
                grid.SetCellImage(row, 0, kRowEdited);
                ++edited;
            }
            grid.Synchronize();
            std::fprintf(stderr, "%d cells typed, 1,000 rows edited: %.3f s\n", kTypedRows, Now() - begin);
            double building = Now();
            std::vector<VornString> statements = view->PendingStatements();
            std::fprintf(stderr, "apply steps: building the statements %.3f\n", Now() - building);
            std::string file;
            for (const VornString& statement : statements) {
                file += statement.Text();
                file += ";\n";
            }
            std::string path = folder + "\\dataview_updates.sql";
            if (edited != 1000 || statements.size() != 1000 || !WriteBytes(path, file)) {
                std::fprintf(stderr, "edits: %d rows edited, %u statements\n", edited,
                             static_cast<unsigned>(statements.size()));
                return 1;
            }
            begin = Now();
            SendMessageA(view->Handle(), WM_COMMAND, IDM_DV_APPLY, 0);
            double painting = Now();
            Pump();
            double seconds = Now() - begin;
            std::fprintf(stderr, "apply steps: the command %.3f, the repaint after it %.3f\n", painting - begin,
                         Now() - painting);
            int left = 0;
            for (int row = 0; row < grid.RowCount(); ++row)
                left += view->RowState(row) != kRowNormal || !grid.CellText(row, 1).IsEmpty();
            std::string written = FirstValue(
                link, scratchGrid, "select count(*) from " + scratch + " where \"名前\" = '更新①～' || \"番号\"");
            if (left != 0 || written != "1000") {
                ++failures;
                std::fprintf(stderr, "apply: %d rows not written, %s rows in the table\n", left, written.c_str());
            }
            // The same statements on one connection of the layer, without the view: what is left
            // of the view's time beyond this is its own.
            double layer = Now();
            if (link.OpenConnection()) {
                double connected = Now();
                int done = 0;
                for (VornString statement : statements)
                    done += link.ExecuteText(statement);
                double executed = Now();
                link.CloseConnection();
                std::fprintf(stderr,
                             "apply steps: the %d statements without the view: connect %.3f, statements %.3f,"
                             " close %.3f\n",
                             done, connected - layer, executed - connected, Now() - executed);
            }
            std::printf("apply %.3f %d\n", seconds, static_cast<int>(statements.size()));
        }
        std::fflush(stdout);
        CloseView(view);
    }

    // 4. Copying 100,000 rows to the clipboard.
    if (Wanted("copy")) {
        double open100k = OpenView(main, view, kMillion, 100000);
        if (open100k < 0 || view->Grid().RowCount() != 100000) {
            std::fprintf(stderr, "no 100,000-row view\n");
            return 1;
        }
        std::fprintf(stderr, "open with row limit 100,000: %.3f s\n", open100k);
        {
            PutClipboardText(HandleOf(main), "");
            double begin = Now();
            SendMessageA(view->Handle(), WM_COMMAND, IDM_DV_COPY_ALL, 0);
            Pump();
            double seconds = Now() - begin;
            VornString text;
            ReadClipboardText(HandleOf(main), text);
            int lines = CountLines(text);
            if (lines != 100000) {
                ++failures;
                std::fprintf(stderr, "copy: %d lines on the clipboard\n", lines);
            }
            std::printf("copy %.3f %d %u\n", seconds, lines, static_cast<unsigned>(text.Length()));
        }
        CloseView(view);
    }

    g_stopWatching = true;
    WaitForSingleObject(watchdog, 2000);
    DestroyWindow(HandleOf(main));
    Pump();
    failures += g_boxesCancelled;
    if (failures)
        std::fprintf(stderr, "%d checks failed\n", failures);
    return failures ? 1 : 0;
}
