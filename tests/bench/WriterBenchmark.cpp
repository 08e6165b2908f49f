// Times the writers over a 1,000,000-row table "百万行":
//   insert_pg / insert_my: the INSERT writer on the benchmark PostgreSQL database and on
//     the sample MariaDB database (the caller loads the same rows there)
//   html: the HTML writer over a grid holding the PostgreSQL table's rows as texts (read
//     before the clock starts, as a grid holds them when its page is written)
//   writer_benchmark.exe folder [tasks]   (tasks: some of insert_pg,insert_my,html)
// Prints "<task> <seconds> <rows> <private MB growth> <working-set MB growth>"; the files
// go into folder, the steps to stderr.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "common/GridText.h"
#include "common/TextFile.h"
#include "db/AdoConnection.h"
#include "db/AdoRecordset.h"
#include "db/DbLink.h"
#include "schema/NameQuoting.h"
#include "schema/SchemaBrowser.h"
#include "structure/CreateTableDialog.h"
#include "transfer/GridPages.h"
#include "transfer/InsertWriter.h"
#include "transfer/VariantText.h"
#include "db/DbLinkText.h"

namespace {

const char kPostgresBench[] = "KestrovaPgBench,bench,kestrova,kestrova";
const char kMariaDb[] = "KestrovaMy,sample,kestrova,kestrova";
const char kTable[] = "百万行";

void Report(const char* task, double started, const ProcessMemory& before, long rows)
{
    double seconds = Now() - started;
    ProcessMemory after = MemoryNow();
    std::printf("%s %.3f %ld %.1f %.1f\n", task, seconds, rows, after.privateBytes - before.privateBytes,
                after.peakWorkingSet - before.peakWorkingSet);
    std::fflush(stdout);
}

long CountLines(const std::string& path) { return TextFile::CountLines(path.c_str()); }

bool InsertTask(const char* task, DatabaseKind kind, const char* argument, const std::string& folder)
{
    SchemaBrowser link;
    link.BuildConnection(kind, argument);
    HWND window = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    GridView list(window, 0, 0, 0, 0);
    link.tableName = kTable;
    if (link.ShowDefinition(list, -1, kind == DatabaseKind::Postgres ? "public" : "") < 0) {
        std::fprintf(stderr, "%s: no definition: %s\n", task, link.ErrorText.Text());
        return false;
    }
    DefinitionRows definition = ReadDefinitionView(&list);
    const std::string path = folder + "\\" + task + ".sql";
    ProcessMemory before = MemoryNow();
    double started = Now();
    TextFile file;
    if (!file.OpenWrite(path.c_str()))
        return false;
    bool written = WriteInsertStatements(link, kind, EncloseName(kind, kTable), definition, file);
    file.Close();
    Report(task, started, before, CountLines(path));
    DestroyWindow(window);
    return written;
}

// The table's rows as a grid holds them: texts, read before the clock starts.
class TextRows : public GridTextSource {
public:
    int ColumnCount() const override { return static_cast<int>(titles.size()); }
    int RowCount() const override { return static_cast<int>(offsets.size() / titles.size()); }
    void ColumnTitle(int column, VornString& out) const override { out = titles[column].c_str(); }
    void CellText(int row, int column, VornString& out) const override
    {
        size_t cell = static_cast<size_t>(row) * titles.size() + static_cast<size_t>(column);
        out.Assign(text.data() + offsets[cell], lengths[cell]);
    }
    bool IsRowSelected(int) const override { return false; }

    std::vector<std::string> titles;
    std::string text;
    std::vector<size_t> offsets;
    std::vector<unsigned> lengths;
};

bool ReadRows(TextRows& rows)
{
    DbLink link;
    link.BuildConnection(DatabaseKind::Postgres, kPostgresBench);
    Connection connection;
    Recordset records;
    VornString select("select * from ");
    select.Append(EncloseName(DatabaseKind::Postgres, kTable));
    if (FAILED(connection.Open(dblink::StreamingConnectionString(DatabaseKind::Postgres, link.record.connectionString))) ||
        FAILED(records.Open(select, &connection, ado::adOpenForwardOnly, ado::adLockReadOnly)))
        return false;
    FieldList& fields = records.Fields();
    for (long i = 0; i < fields.Count(); ++i)
        rows.titles.push_back(fields.Item(i)->Name().Text());
    VariantSpeller speller;
    for (; !records.Eof(); records.MoveNext()) {
        for (long i = 0; i < fields.Count(); ++i) {
            speller.Spell(fields.Item(i)->Value());
            rows.offsets.push_back(rows.text.size());
            rows.lengths.push_back(static_cast<unsigned>(speller.Length()));
            rows.text.append(speller.Text(), speller.Length());
        }
    }
    return true;
}

bool HtmlTask(const std::string& folder)
{
    TextRows rows;
    if (!ReadRows(rows)) {
        std::fprintf(stderr, "html: the table cannot be read\n");
        return false;
    }
    const std::string path = folder + "\\html.htm";
    ProcessMemory before = MemoryNow();
    double started = Now();
    bool written = transfer::WriteHtmlPageFile(rows, 0, path.c_str());
    Report("html", started, before, rows.RowCount());
    return written;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: writer_benchmark folder [tasks]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::string tasks = argc > 2 ? argv[2] : "insert_pg,insert_my,html";
    bool ok = true;
    if (tasks.find("insert_pg") != std::string::npos)
        ok = InsertTask("insert_pg", DatabaseKind::Postgres, kPostgresBench, folder) && ok;
    if (tasks.find("insert_my") != std::string::npos)
        ok = InsertTask("insert_my", DatabaseKind::MySql, kMariaDb, folder) && ok;
    if (tasks.find("html") != std::string::npos)
        ok = HtmlTask(folder) && ok;
    return ok ? 0 : 1;
}
