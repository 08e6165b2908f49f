// CSV import and export over the sample PostgreSQL and MariaDB databases: rejected lines in
// the error file that imports once corrected, export → import round trips, cancel, the
// dialog's messages and counters, MySQL's own load and outfile; Oracle's transactions
// through the scripted backend.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "structure/GridDialogDriving.h"
#include "TestSupport.h"
#include "WindowTestSupport.h"
#include "common/TextFile.h"
#include "db/AdoConnection.h"
#include "db/AdoRecordset.h"
#include "db/ScriptedBackend.h"
#include "resources/CsvDialogIds.h"
#include "schema/NameQuoting.h"
#include "schema/SchemaBrowser.h"
#include "structure/CreateTableDialog.h"
#include "transfer/CsvExport.h"
#include "transfer/CsvImport.h"
#include "transfer/CsvImportDialog.h"
#include "transfer/MySqlCsvDialogs.h"
#include "transfer/MySqlCsvSql.h"

namespace {

struct Server {
    DatabaseKind kind;
    const char* argument;
    const char* create;
};

const Server kCsvServers[] = {
    {DatabaseKind::Postgres, "KestrovaPg,sample,kestrova,kestrova",
     "create table \"%s\" (\"番号\" int4 primary key, \"名\" varchar(40), \"額\" numeric(15,2), \"日\" date, \"備考\" text)"},
    {DatabaseKind::MySql, "KestrovaMy,sample,kestrova,kestrova",
     "create table `%s` (`番号` int primary key, `名` varchar(40), `額` decimal(15,2), `日` date, `備考` text)"},
};

// 1,000 data lines after a heading and a comment; lines 100, 500 and 900 are bad.
std::string ThousandLines()
{
    std::string text = "番号,名,額,日,備考\r\n;コメント行\r\n";
    for (int n = 1; n <= 1000; ++n) {
        std::string number = n == 100 ? "百" : n == 500 ? "1" : std::to_string(n);
        std::string date = n == 900 ? "2024/13/45" : "2024/02/29";
        text += number + ",\"O'Brien, ①～㈱髙表ソ\"," + std::to_string(n) + ".25," + date + ",ソ\\" + "\r\n";
    }
    return text;
}

std::string ItemText(HWND dialog, int id)
{
    char text[256] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// The first value of the first row as text ("" when there is none).
std::string TextOf(DbLink& link, const std::string& sql)
{
    Connection connection;
    Recordset rows;
    if (FAILED(connection.Open(link.record.connectionString)) || FAILED(rows.Open(sql.c_str(), &connection)) ||
        rows.Eof())
        return "";
    VARIANT value;
    VariantInit(&value);
    if (FAILED(VariantChangeType(&value, const_cast<VARIANT*>(&rows.Fields().Item(0L)->Value()), 0, VT_BSTR)))
        return "";
    char text[MAX_PATH] = "";
    WideCharToMultiByte(932, 0, value.bstrVal, -1, text, sizeof text, nullptr, nullptr);
    VariantClear(&value);
    return text;
}

long CountOf(DbLink& link, const std::string& sql)
{
    Connection connection;
    Recordset rows;
    if (FAILED(connection.Open(link.record.connectionString)) || FAILED(rows.Open(sql.c_str(), &connection)) ||
        rows.Eof())
        return -1;
    VARIANT value;
    VariantInit(&value);
    VariantChangeType(&value, const_cast<VARIANT*>(&rows.Fields().Item(0L)->Value()), 0, VT_I4);
    return value.lVal;
}

class CsvTransferTest : public ::testing::TestWithParam<Server> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(link_.BuildConnection(GetParam().kind, GetParam().argument));
        Create("取込");
    }
    void TearDown() override
    {
        Run("drop table " + Table("取込"));
        Run("drop table " + Table("取込写"));
    }
    bool Run(const std::string& sql)
    {
        link_.sqlText = sql.c_str();
        return link_.ExecuteSqlText() == 0;
    }
    std::string Table(const char* name) const { return EncloseName(GetParam().kind, name).Text(); }
    void Create(const char* name)
    {
        Run("drop table " + Table(name));
        char sql[512];
        std::snprintf(sql, sizeof sql, GetParam().create, name);
        ASSERT_TRUE(Run(sql)) << link_.ErrorText.Text();
    }
    DefinitionRows Definition(const char* name)
    {
        GridView list(window_.Handle(), 0, 0, 0, 0);
        link_.tableName = name;
        link_.ShowDefinition(list, -1, GetParam().kind == DatabaseKind::Postgres ? "public" : "");
        return ReadDefinitionView(&list);
    }
    std::unique_ptr<CsvImportRun> Importer(const char* table, bool skipFirst)
    {
        std::vector<transfer::CsvImportColumn> columns;
        DefinitionRows definition = Definition(table);
        std::vector<VornString> names;
        for (const DefinitionRow& row : definition)
            names.push_back(row[kDefName]);
        std::vector<VornString> categories = CsvColumnCategories(names, definition);
        for (size_t i = 0; i < names.size(); ++i)
            columns.push_back({EncloseName(GetParam().kind, names[i]), categories[i]});
        CsvImportOptions options;
        options.skipFirstLine = skipFirst;
        options.split.removeEnclosing = true;
        auto run = std::make_unique<CsvImportRun>(GetParam().kind, link_.record.connectionString,
                                                  Table(table).c_str(), columns, options);
        EXPECT_TRUE(run->Connect()) << run->ErrorText();
        return run;
    }
    CsvImportCounts Import(const char* table, const std::string& path, bool skipFirst)
    {
        auto run = Importer(table, skipFirst);
        // Statements of a hundred lines: a failing one follows good ones in the same
        // transaction, which then has to be taken back and done again.
        run->batchLines = 100;
        LineReader input;
        EXPECT_TRUE(input.Open(path.c_str()));
        TextFile errors;
        EXPECT_TRUE(errors.OpenWrite(transfer::CsvErrorFilePath(path.c_str())));
        run->Run(input, errors);
        run->Finish(false);
        errors.Close();
        if (run->Counts().failed == 0)
            DeleteFileA(transfer::CsvErrorFilePath(path.c_str()));
        return run->Counts();
    }
    std::string Export(const char* table, const char* name)
    {
        CsvWriteOptions options;
        options.fields.encloseNonNumeric = true;
        const std::string path = ScratchPath(name);
        VornString select = CsvExportSelect(GetParam().kind, Table(table).c_str(), "*", {}, "", "\"番号\"");
        if (GetParam().kind == DatabaseKind::MySql)
            select = CsvExportSelect(GetParam().kind, Table(table).c_str(), "*", {}, "", "`番号`");
        long counted = -2;
        CsvWriteResult result = WriteCsvFile(link_, select, options, path.c_str(), [&](long n) { counted = n; }, {});
        EXPECT_TRUE(result.opened && result.written && !result.readFailed) << link_.ErrorText.Text();
        EXPECT_EQ(result.rows, counted);
        return ReadBytes(path);
    }

    RecordingWindow window_{"CSV", false};
    SchemaBrowser link_;
};

}  // namespace

TEST_P(CsvTransferTest, RejectedLinesLandInAnErrorFileThatImportsOnceCorrected)
{
    const std::string path = ScratchPath("取込.csv");
    WriteBytes(path, ThousandLines());
    CsvImportCounts counts = Import("取込", path, true);
    EXPECT_EQ(997, counts.inserted);
    EXPECT_EQ(2, counts.skipped);
    EXPECT_EQ(3, counts.failed);

    std::string errors = ReadBytes(ScratchPath("取込_ERR.csv"));
    std::vector<std::string> lines;
    for (size_t start = 0, end; (end = errors.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(errors.substr(start, end - start));
    ASSERT_EQ(9u, lines.size()) << errors;
    EXPECT_EQ("百,\"O'Brien, ①～㈱髙表ソ\",100.25,2024/02/29,ソ\\", lines[0]);
    EXPECT_EQ(0u, lines[3].find("1,\"O'Brien")) << "the duplicate key";
    EXPECT_EQ(0u, lines[6].find("900,")) << lines[6];
    for (int entry = 0; entry < 3; ++entry) {
        EXPECT_EQ(';', lines[entry * 3 + 1][0]);
        EXPECT_GT(lines[entry * 3 + 1].size(), 5u) << "each rejected line has its own reason";
        EXPECT_EQ(0u, lines[entry * 3 + 2].find(";insert into " + Table("取込") + " (")) << lines[entry * 3 + 2];
        EXPECT_NE(std::string::npos, lines[entry * 3 + 2].find("'O''Brien, ①～㈱髙表ソ'"));
    }

    // Corrected in place, the error file goes in whole: its comment lines are skipped.
    errors.replace(errors.find("百,"), std::strlen("百,"), "1100,");
    errors.replace(errors.find("\n1,\"O'Brien") + 1, 2, "1500,");
    errors.replace(errors.find("2024/13/45"), 10, "2024/12/31");
    const std::string corrected = ScratchPath("取込_ERR.csv");
    WriteBytes(corrected, errors);
    counts = Import("取込", corrected, false);
    EXPECT_EQ(3, counts.inserted);
    EXPECT_EQ(6, counts.skipped);
    EXPECT_EQ(0, counts.failed);
    EXPECT_EQ("<missing>", ReadBytes(ScratchPath("取込_ERR_ERR.csv"))) << "a clean run leaves no error file";

    // Exported and imported into a copy, the rows come back byte for byte.
    const std::string exported = Export("取込", "取込出力.csv");
    EXPECT_EQ(1000, std::count(exported.begin(), exported.end(), '\n'));
    EXPECT_NE(std::string::npos, exported.find("1,\"O'Brien, ①～㈱髙表ソ\",1.25,\"2024/02/29\",\"ソ\\\"\r\n")) << exported.substr(0, 200);
    Create("取込写");
    counts = Import("取込写", ScratchPath("取込出力.csv"), false);
    EXPECT_EQ(1000, counts.inserted);
    EXPECT_EQ(exported, Export("取込写", "取込写出力.csv"));
}

TEST_P(CsvTransferTest, ACancelledRunStopsAfterTheStatementInHand)
{
    const std::string path = ScratchPath("中断.csv");
    WriteBytes(path, ThousandLines());
    auto run = Importer("取込", true);
    std::atomic<bool> running{true};
    run->running = &running;
    run->batchLines = 100;
    run->progress = [&](const CsvImportCounts& counts) {
        if (counts.inserted >= 150)
            running = false;
    };
    LineReader input;
    ASSERT_TRUE(input.Open(path.c_str()));
    TextFile errors;
    ASSERT_TRUE(errors.OpenWrite(ScratchPath("中断_ERR.csv").c_str()));
    run->Run(input, errors);
    run->Finish(true);
    EXPECT_TRUE(run->Cancelled());
    // The first hundred lines hold a bad one: 99 rows, then a hundred more, then no more.
    EXPECT_EQ(199, run->Counts().inserted);
    const std::string exported = Export("取込", "中断出力.csv");
    EXPECT_EQ(199, std::count(exported.begin(), exported.end(), '\n'));
}

INSTANTIATE_TEST_SUITE_P(Servers, CsvTransferTest, ::testing::ValuesIn(kCsvServers),
                         [](const ::testing::TestParamInfo<Server>& info) {
                             return std::string(info.param.kind == DatabaseKind::Postgres ? "Postgres" : "MariaDb");
                         });

class CsvDialogTest : public CsvTransferTest {};

TEST_P(CsvDialogTest, TheDialogCountsTheLinesAndSaysHowTheRunEnded)
{
    const std::string path = ScratchPath("画面.csv");
    WriteBytes(path, ThousandLines());
    std::string settingsPath = ScratchPath("csv.ini");
    ProfileStore settings(settingsPath.c_str());
    CsvImportContext context;
    context.link = &link_;
    context.table = Table("取込").c_str();
    for (const DefinitionRow& row : Definition("取込"))
        context.columnNames.push_back(row[kDefName]);
    context.definition = Definition("取込");
    context.settings = &settings;
    std::string counters;
    DialogDriver driver("CSV入力", [&](HWND dialog) {
        EXPECT_EQ("入力ファイルを指定して下さい　　", CommandAndAnswer(dialog, IDC_CSV_RUN));
        SetDlgItemTextA(dialog, IDC_CSV_PATH, ScratchPath("無い.csv").c_str());
        PostMessageA(dialog, WM_COMMAND, IDC_CSV_RUN, 0);
        HWND ask = WaitForOwnDialog("確認", 10000);
        ASSERT_NE(nullptr, ask);
        EXPECT_EQ("CSV入力を実行しますか?　　", DialogStaticText(ask));
        Press(ask, IDYES);
        WaitFor([&] { return !IsWindow(ask); });
        HWND failure = WaitForOwnDialog("確認", 10000);
        ASSERT_NE(nullptr, failure);
        EXPECT_EQ("入力ファイルのオープンに失敗しました　　", DialogStaticText(failure));
        Press(failure, IDOK);
        WaitFor([&] { return !IsWindow(failure); });

        SetDlgItemTextA(dialog, IDC_CSV_PATH, path.c_str());
        SendDlgItemMessageA(dialog, IDC_CSV_SKIP_FIRST, BM_SETCHECK, BST_CHECKED, 0);
        SendDlgItemMessageA(dialog, IDC_CSV_REMOVE_ENCLOSING, BM_SETCHECK, BST_CHECKED, 0);
        EXPECT_EQ("処理が終了しました　　", [&] {
            PostMessageA(dialog, WM_COMMAND, IDC_CSV_RUN, 0);
            HWND yes = WaitForOwnDialog("確認", 10000);
            if (yes)
                Press(yes, IDYES);
            WaitFor([&] { return !IsWindow(yes); });
            HWND done = WaitForOwnDialog("確認", 60000);
            if (!done)
                return std::string("<none>");
            std::string text = DialogStaticText(done);
            counters = ItemText(dialog, IDC_CSV_INSERTED) + "/" + ItemText(dialog, IDC_CSV_SKIPPED) + "/" +
                       ItemText(dialog, IDC_CSV_FAILED);
            Press(done, IDOK);
            WaitFor([&] { return !IsWindow(done); });
            SaveScreenshot(dialog, "KESTROVA_SCREENSHOT_CSV");
            return text;
        }());
        Press(dialog, IDCANCEL);
    });
    RunCsvImport(window_.Handle(), context);
    ASSERT_TRUE(driver.Finish());
    EXPECT_EQ("997/2/3", counters);
    EXPECT_NE("<missing>", ReadBytes(ScratchPath("画面_ERR.csv")));
}

INSTANTIATE_TEST_SUITE_P(Postgres, CsvDialogTest, ::testing::Values(kCsvServers[0]),
                         [](const ::testing::TestParamInfo<Server>&) { return std::string("Postgres"); });

// MySQL's own statements, run by the server on files of its machine: with no folder the
// outfile lands in the database's data folder, where load data finds it again.
TEST(MySqlCsvTest, OutfileAndLoadDataRunOnTheServer)
{
    SchemaBrowser link;
    ASSERT_TRUE(link.BuildConnection(DatabaseKind::MySql, "KestrovaMy,sample,kestrova,kestrova"));
    const std::string table = "出力" + std::to_string(GetCurrentProcessId());
    const std::string enclosed = EncloseName(DatabaseKind::MySql, table.c_str()).Text();
    auto run = [&](const std::string& sql) {
        link.sqlText = sql.c_str();
        return link.ExecuteSqlText() == 0;
    };
    run("drop table " + enclosed);
    ASSERT_TRUE(run("create table " + enclosed + " (`番号` int primary key, `名` varchar(40))"));
    ASSERT_TRUE(run("insert into " + enclosed + " values (1, 'O''Brien'), (2, 'ソ表,①')"));
    transfer::MySqlCsvFormat format;
    format.enclosing = transfer::MySqlCsvFormat::Enclosing::DoubleQuote;
    format.optionally = true;
    const VornString file = transfer::MySqlOutfilePath("", table.c_str());
    // The server writes the file into the database's folder on this machine; the test
    // removes it there, before (a name left by an earlier run) and after.
    std::string onDisk = "Z:" + TextOf(link, "select @@datadir") + "sample/" + file.Text();
    std::replace(onDisk.begin(), onDisk.end(), '/', '\\');
    DeleteFileA(onDisk.c_str());
    ASSERT_TRUE(run(transfer::MySqlOutfileStatement(enclosed.c_str(), file, format).Text())) << link.ErrorText.Text();
    ASSERT_TRUE(run("delete from " + enclosed));
    ASSERT_TRUE(run(transfer::MySqlLoadStatement(file, true, enclosed.c_str(), format).Text())) << link.ErrorText.Text();
    EXPECT_EQ(2, CountOf(link, "select count(*) from " + enclosed + " where `名` in ('O''Brien', 'ソ表,①')"));
    EXPECT_TRUE(DeleteFileA(onDisk.c_str())) << onDisk;
    run("drop table " + enclosed);
}

// Oracle takes its rows in transactions committed every 500 rows; a cancelled run rolls
// the open one back.
TEST(CsvOracleTest, RowsGoInTransactionsOfFiveHundred)
{
    auto backend = std::make_shared<ScriptedBackend>();
    auto previous = Connection::SetDefaultBackend(backend);
    const std::string path = ScratchPath("oracle.csv");
    std::string text;
    for (int n = 1; n <= 1200; ++n)
        text += std::to_string(n) + ",x\r\n";
    WriteBytes(path, text);
    auto import = [&]() {
        CsvImportRun run(DatabaseKind::Oracle, "DSN=ora", "\"T\"", {{"\"N\"", "数値"}, {"\"S\"", "文字列"}}, {});
        EXPECT_TRUE(run.Connect());
        LineReader input;
        EXPECT_TRUE(input.Open(path.c_str()));
        TextFile errors;
        EXPECT_TRUE(errors.OpenWrite(ScratchPath("oracle_ERR.csv").c_str()));
        run.Run(input, errors);
        run.Finish(run.Cancelled());
        return run.Counts();
    };
    backend->FailStatement("insert into \"T\" (\"N\",\"S\") values(7,'x')", "ORA-00001: unique constraint violated");
    CsvImportCounts counts = import();
    EXPECT_EQ(1199, counts.inserted);
    EXPECT_EQ(1, counts.failed);
    std::vector<std::string> marks;
    for (const std::string& entry : backend->Log())
        if (entry == "BEGIN" || entry == "COMMIT" || entry == "ROLLBACK")
            marks.push_back(entry);
    EXPECT_EQ((std::vector<std::string>{"BEGIN", "COMMIT", "BEGIN", "COMMIT", "BEGIN", "COMMIT"}), marks);
    EXPECT_EQ("insert into \"T\" (\"N\",\"S\") values(1,'x')", backend->Statements().front()) << "one line, one statement";

    // Cancelled after 600 rows: the 100 rows since the last commit go back.
    backend->ClearRecord();
    std::atomic<bool> running{true};
    CsvImportRun cancelled(DatabaseKind::Oracle, "DSN=ora", "\"T\"", {{"\"N\"", "数値"}, {"\"S\"", "文字列"}}, {});
    cancelled.running = &running;
    cancelled.progress = [&](const CsvImportCounts& now) {
        if (now.inserted == 600)
            running = false;
    };
    ASSERT_TRUE(cancelled.Connect());
    LineReader input;
    ASSERT_TRUE(input.Open(path.c_str()));
    TextFile errors;
    ASSERT_TRUE(errors.OpenWrite(ScratchPath("oracle_ERR.csv").c_str()));
    cancelled.Run(input, errors);
    cancelled.Finish(cancelled.Cancelled());
    EXPECT_TRUE(cancelled.Cancelled());
    marks.clear();
    for (const std::string& entry : backend->Log())
        if (entry == "BEGIN" || entry == "COMMIT" || entry == "ROLLBACK")
            marks.push_back(entry);
    EXPECT_EQ((std::vector<std::string>{"BEGIN", "COMMIT", "BEGIN", "ROLLBACK"}), marks);
    Connection::SetDefaultBackend(previous);
}
