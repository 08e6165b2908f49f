// Times the CSV import and export the way the dialogs run them:
//   import_pg / import_my: a 1,000,000-line Shift_JIS file of 8 columns into "取込計測" on the
//     benchmark PostgreSQL database and on the sample MariaDB database (the caller creates
//     the tables and the file)
//   export_pg: "百万行" of the benchmark PostgreSQL database written to a CSV file
//   bridge_pg_my: "百万行" copied by the export's bridge into the sample MariaDB database as
//     "百万行写" (the select-into form: the bridge creates the table; the caller drops it)
//   csv_benchmark.exe folder csvfile [tasks]
// Prints "<task> <seconds> <rows> <private MB growth> <working-set MB growth> [lines]"; an
// import also checks that inserted + rejected + skipped = the file's lines.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchClock.h"
#include "common/GridView.h"
#include "common/TextFile.h"
#include "schema/NameQuoting.h"
#include "schema/SchemaBrowser.h"
#include "structure/CreateTableDialog.h"
#include "transfer/CsvExport.h"
#include "transfer/CsvImport.h"
#include "transfer/CsvImportDialog.h"
#include "transfer/ExportBridge.h"
#include "transfer/ExportStatement.h"
#include "db/ConnectionRecord.h"

namespace {

const char kPostgresBench[] = "KestrovaPgBench,bench,kestrova,kestrova";
const char kMariaDb[] = "KestrovaMy,sample,kestrova,kestrova";
const char kImportTable[] = "取込計測";

void Report(const char* task, double started, const ProcessMemory& before, long rows, long lines)
{
    double seconds = Now() - started;
    ProcessMemory after = MemoryNow();
    std::printf("%s %.3f %ld %.1f %.1f %ld\n", task, seconds, rows, after.privateBytes - before.privateBytes,
                after.peakWorkingSet - before.peakWorkingSet, lines);
    std::fflush(stdout);
}

bool ImportTask(const char* task, DatabaseKind kind, const char* argument, const char* csv, const std::string& folder)
{
    SchemaBrowser link;
    link.BuildConnection(kind, argument);
    HWND window = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    GridView list(window, 0, 0, 0, 0);
    link.tableName = kImportTable;
    if (link.ShowDefinition(list, -1, kind == DatabaseKind::Postgres ? "public" : "") < 0) {
        std::fprintf(stderr, "%s: no definition: %s\n", task, link.ErrorText.Text());
        return false;
    }
    DefinitionRows definition = ReadDefinitionView(&list);
    DestroyWindow(window);
    std::vector<VornString> names;
    for (const DefinitionRow& row : definition)
        names.push_back(row[kDefName]);
    std::vector<VornString> categories = CsvColumnCategories(names, definition);
    std::vector<transfer::CsvImportColumn> columns;
    for (size_t i = 0; i < names.size(); ++i)
        columns.push_back({EncloseName(kind, names[i]), categories[i]});

    ProcessMemory before = MemoryNow();
    double started = Now();
    CsvImportRun run(kind, link.record.connectionString, EncloseName(kind, kImportTable), columns, CsvImportOptions());
    if (const char* batch = std::getenv("KESTROVA_BATCH_LINES"))
        run.batchLines = static_cast<size_t>(std::atoi(batch));
    if (!run.Connect()) {
        std::fprintf(stderr, "%s: %s\n", task, run.ErrorText().c_str());
        return false;
    }
    LineReader input;
    TextFile errors;
    const std::string errorPath = folder + "\\" + task + "_ERR.csv";
    if (!input.Open(csv) || !errors.OpenWrite(errorPath.c_str()))
        return false;
    run.Run(input, errors);
    run.Finish(false);
    errors.Close();
    Report(task, started, before, run.Counts().inserted, run.Counts().Lines());
    if (run.Counts().failed)
        std::fprintf(stderr, "%s: %ld lines rejected (%s)\n", task, run.Counts().failed, errorPath.c_str());
    return true;
}

bool ExportTask(const std::string& folder)
{
    DbLink link;
    link.BuildConnection(DatabaseKind::Postgres, kPostgresBench);
    const std::string path = folder + "\\export.csv";
    ProcessMemory before = MemoryNow();
    double started = Now();
    CsvWriteResult result = WriteCsvFile(link, "select * from \"百万行\"", CsvWriteOptions(), path.c_str(), {}, {});
    Report("export_pg", started, before, result.rows, result.rows);
    if (!result.opened || !result.written || result.readFailed)
        std::fprintf(stderr, "export_pg: %s\n", link.ErrorText.Text());
    return result.opened && result.written && !result.readFailed;
}

bool BridgeTask()
{
    DbLink source;
    source.BuildConnection(DatabaseKind::Postgres, kPostgresBench);
    char folder[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, folder, sizeof folder);
    VornString programFolder(folder);
    programFolder.RemoveFileSpec();
    programFolder.Append("\\");
    transfer::ExportStatement statement;
    statement.form = transfer::ExportForm::SelectInto;
    statement.destinationReference =
        DestinationReference(DatabaseKind::MySql, "", "KestrovaMy", "sample", "kestrova", "kestrova");
    statement.target = "百万行写";
    statement.columns = "*";
    statement.sourceReference = source.record.SourceDatabaseReference();
    statement.sourceTable = "百万行";
    ProcessMemory before = MemoryNow();
    double started = Now();
    if (!OpenExportBridge(source, programFolder, DatabaseKind::Postgres, DatabaseKind::MySql)) {
        std::fprintf(stderr, "bridge: %s\n", source.ErrorText.Text());
        return false;
    }
    int result = source.ExecuteAndClassify(transfer::BuildExportStatement(statement), DatabaseKind::MySql);
    Report("bridge_pg_my", started, before, result == 0 ? 1000000 : 0, 1000000);
    if (result != 0)
        std::fprintf(stderr, "bridge: %d %s\n", result, source.ErrorText.Text());
    return result == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: csv_benchmark folder csvfile [tasks]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::string tasks = argc > 3 ? argv[3] : "import_pg,import_my,export_pg,bridge_pg_my";
    bool ok = true;
    if (tasks.find("import_pg") != std::string::npos)
        ok = ImportTask("import_pg", DatabaseKind::Postgres, kPostgresBench, argv[2], folder) && ok;
    if (tasks.find("import_my") != std::string::npos)
        ok = ImportTask("import_my", DatabaseKind::MySql, kMariaDb, argv[2], folder) && ok;
    if (tasks.find("export_pg") != std::string::npos)
        ok = ExportTask(folder) && ok;
    if (tasks.find("bridge_pg_my") != std::string::npos)
        ok = BridgeTask() && ok;
    return ok ? 0 : 1;
}
