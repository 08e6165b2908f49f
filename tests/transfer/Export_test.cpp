// The export between databases: the bridge between the sample PostgreSQL and MariaDB
// databases for real (select-into, program-created tables, the file route), and the file
// and server kinds that cannot run here through the scripted backend, statement by
// statement; every question and message of the run and of the dialogs.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "TestSupport.h"
#include "WindowTestSupport.h"
#include "common/TextFile.h"
#include "db/AdoConnection.h"
#include "db/AdoRecordset.h"
#include "db/ScriptedBackend.h"
#include "resources/ExportDialogIds.h"
#include "schema/NameQuoting.h"
#include "schema/SchemaBrowser.h"
#include "structure/CreateTableDialog.h"
#include "transfer/ExportBridge.h"
#include "transfer/ExportDialog.h"
#include "transfer/ExportRun.h"

namespace {

const char kPg[] = "KestrovaPg,sample,kestrova,kestrova";
const char kMy[] = "KestrovaMy,sample,kestrova,kestrova";

// Text the same on both servers: numbers through double, text through Unicode (PostgreSQL
// answers ㈱ with the other code of the same character).
std::string Normalised(const VARIANT& value)
{
    switch (value.vt) {
    case VT_DECIMAL: case VT_R8: case VT_R4: case VT_CY: case VT_I2: case VT_I4: case VT_I8: case VT_UI4:
    case VT_UI1: case VT_UI2: case VT_I1: case VT_UI8: {
        VARIANT number;
        VariantInit(&number);
        VariantChangeType(&number, const_cast<VARIANT*>(&value), 0, VT_R8);
        char text[40];
        std::snprintf(text, sizeof text, "%.15g", number.dblVal);
        return text;
    }
    case VT_ARRAY | VT_UI1:
        return "bytes:" + std::to_string(value.parray->rgsabound[0].cElements);
    default: {
        VornString text = ValueToText(value, ValueTextMode::General);
        wchar_t wide[512];
        int length = MultiByteToWideChar(932, 0, text.Text(), -1, wide, 512);
        char back[1024] = "";
        WideCharToMultiByte(932, 0, wide, length, back, sizeof back, nullptr, nullptr);
        return back;
    }
    }
}

std::vector<std::string> Rows(DatabaseKind kind, const char* argument, const std::string& sql)
{
    ConnectionRecord record;
    record.Build(kind, argument);
    Connection connection;
    std::vector<std::string> rows;
    if (FAILED(connection.Open(record.connectionString)))
        return {"open failed"};
    Recordset set;
    if (FAILED(set.Open(sql.c_str(), &connection)) || set.State() != ado::adStateOpen)
        return {"query failed: " + sql};
    while (!set.Eof()) {
        std::string line;
        for (long i = 0; i < set.Fields().Count(); ++i)
            line += (i ? "|" : "") + Normalised(set.Fields().Item(i)->Value());
        rows.push_back(line);
        set.MoveNext();
    }
    return rows;
}

bool Execute(DatabaseKind kind, const char* argument, const std::string& sql)
{
    DbLink link;
    link.BuildConnection(kind, argument);
    link.sqlText = sql.c_str();
    return link.ExecuteSqlText() == 0;
}

struct Asked {
    std::string text;
    UINT buttons;
};

// The run's questions answered from a list (the last answer repeats), the captions kept.
struct ScriptedPrompts {
    std::vector<int> answers{IDYES};
    std::vector<Asked> asked;
    std::vector<std::string> captions;
    std::string folder;

    ExportPrompts Make()
    {
        ExportPrompts prompts;
        prompts.ask = [this](HWND, const char* text, UINT buttons) {
            asked.push_back({text, buttons});
            size_t n = asked.size() - 1;
            return answers[n < answers.size() ? n : answers.size() - 1];
        };
        prompts.chooseFolder = [this](HWND, const char* title, VornString& chosen) {
            asked.push_back({title, 0});
            chosen = folder.c_str();
            return !folder.empty();
        };
        prompts.caption = [this](HWND, const char* text) { captions.push_back(text); };
        return prompts;
    }
};

ExportDestination Server(DatabaseKind kind, const char* dsn)
{
    ExportDestination destination;
    destination.kind = kind;
    destination.server = dsn;
    destination.database = "sample";
    destination.user = "kestrova";
    destination.password = "kestrova";
    return destination;
}

class ExportBetweenServers : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* table : {"EXP_社員", "EXP_売上明細", "EXP-売上明細", "EXP-社員"}) {
            Execute(DatabaseKind::MySql, kMy, std::string("drop table ") + EncloseName(DatabaseKind::MySql, table).Text());
            Execute(DatabaseKind::Postgres, kPg, std::string("drop table ") + EncloseName(DatabaseKind::Postgres, table).Text());
        }
    }
    void TearDown() override { SetUp(); }

    int Export(DatabaseKind from, DatabaseKind to, const ExportChoices& choices, std::vector<const char*> names)
    {
        SchemaBrowser& link = from == DatabaseKind::Postgres ? pg_ : my_;
        link.BuildConnection(from, from == DatabaseKind::Postgres ? kPg : kMy);
        ExportContext context;
        context.source = &link;
        context.programFolder = "C:\\Kestrova";
        context.prompts = prompts_.Make();
        context.loadDefinition = [this, &link, from](const char* table, DefinitionRows& definition) {
            GridView list(window_.Handle(), 0, 0, 0, 0);
            link.tableName = table;
            if (link.ShowDefinition(list, -1, from == DatabaseKind::Postgres ? "public" : "") < 0)
                return false;
            definition = ReadDefinitionView(&list);
            return true;
        };
        std::vector<ExportSourceTable> tables;
        for (const char* name : names) {
            ExportSourceTable table;
            table.name = name;
            tables.push_back(table);
        }
        return RunExport(window_.Handle(), context, Server(to, to == DatabaseKind::Postgres ? "KestrovaPg" : "KestrovaMy"),
                         choices, tables);
    }

    RecordingWindow window_{"エクスポート", false};
    SchemaBrowser pg_;
    SchemaBrowser my_;
    ScriptedPrompts prompts_;
};

ExportChoices Prefixed(bool create)
{
    ExportChoices choices;
    choices.nameBoxChecked = true;
    choices.nameText = "EXP_";
    choices.createByProgram = create;
    return choices;
}

const char kPgEmployees[] = "select \"社員番号\",\"氏名\",\"部署コード\",\"入社日\",\"給与\",\"評価点\",\"写真\",\"備考\" "
                            "from \"社員\" order by 1";
const char kMyEmployees[] = "select `社員番号`,`氏名`,`部署コード`,`入社日`,`給与`,`評価点`,`写真`,`備考` "
                            "from `EXP_社員` order by 1";

}  // namespace

TEST_F(ExportBetweenServers, SelectIntoCopiesEveryValueAndAsksBeforeAddingToAnExistingTable)
{
    ASSERT_EQ(2, Export(DatabaseKind::Postgres, DatabaseKind::MySql, Prefixed(false), {"社員", "売上明細"}));
    EXPECT_TRUE(prompts_.asked.empty()) << prompts_.asked[0].text;
    std::vector<std::string> source = Rows(DatabaseKind::Postgres, kPg, kPgEmployees);
    ASSERT_EQ(4u, source.size());
    EXPECT_EQ(source, Rows(DatabaseKind::MySql, kMy, kMyEmployees));
    std::vector<std::string> sales = Rows(DatabaseKind::Postgres, kPg, "select * from \"売上明細\" order by 1, 2");
    EXPECT_EQ(sales, Rows(DatabaseKind::MySql, kMy, "select * from `EXP_売上明細` order by 1, 2"));
    EXPECT_EQ((std::vector<std::string>{"社員 をエクスポートしています", "売上明細 をエクスポートしています",
                                        "エクスポートが終了しました"}),
              prompts_.captions);

    // Again: the table is there, so the run asks, and "はい" adds the rows once more.
    prompts_.answers = {IDYES, IDNO};
    ASSERT_EQ(1, Export(DatabaseKind::Postgres, DatabaseKind::MySql, Prefixed(false), {"社員", "売上明細"}));
    ASSERT_EQ(2u, prompts_.asked.size());
    EXPECT_EQ("EXP_社員 は既に存在します。データのみ追加しますか?　　", prompts_.asked[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2), prompts_.asked[0].buttons);
    EXPECT_EQ(8u, Rows(DatabaseKind::MySql, kMy, kMyEmployees).size());
    EXPECT_EQ(sales.size(), Rows(DatabaseKind::MySql, kMy, "select * from `EXP_売上明細`").size());
}

TEST_F(ExportBetweenServers, ProgramCreatedTablesOnPostgresTakeTheDashPrefixAndTheKey)
{
    ExportChoices choices = Prefixed(true);
    choices.nameText = "EXP-";
    choices.addKey = true;
    ASSERT_EQ(1, Export(DatabaseKind::MySql, DatabaseKind::Postgres, choices, {"売上明細"}));
    EXPECT_TRUE(prompts_.asked.empty()) << prompts_.asked[0].text;
    // The type mapping makes a date-time a date on Postgres: compare the day.
    const char* columns = "select `伝票番号`,`行番号`,`商品名`,`数量`,`単価`,date(`登録日時`) from `売上明細` order by 1,2";
    EXPECT_EQ(Rows(DatabaseKind::MySql, kMy, columns),
              Rows(DatabaseKind::Postgres, kPg, "select * from \"EXP-売上明細\" order by 1,2"));
    EXPECT_EQ((std::vector<std::string>{"伝票番号|1", "行番号|2"}),
              Rows(DatabaseKind::Postgres, kPg,
                   "select a.attname, k.n from pg_index i cross join unnest(i.indkey) with ordinality k(c, n) "
                   "join pg_attribute a on a.attrelid = i.indrelid and a.attnum = k.c "
                   "where i.indrelid = '\"EXP-売上明細\"'::regclass and i.indisprimary order by k.n"));

    // Created again: the failure's own text, then "いいえ" skips the table.
    prompts_.answers = {IDNO};
    EXPECT_EQ(0, Export(DatabaseKind::MySql, DatabaseKind::Postgres, choices, {"売上明細"}));
    ASSERT_EQ(1u, prompts_.asked.size());
    EXPECT_NE(std::string::npos, prompts_.asked[0].text.find("\nデータを追加しますか?　　"));
    EXPECT_NE(std::string::npos, prompts_.asked[0].text.find("EXP-売上明細")) << prompts_.asked[0].text;
    EXPECT_EQ(static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2), prompts_.asked[0].buttons);
    EXPECT_EQ(3u, Rows(DatabaseKind::Postgres, kPg, "select * from \"EXP-売上明細\"").size());
}

TEST_F(ExportBetweenServers, TheFileRouteWritesInsertStatementsAndRunsThemUnlessToldNot)
{
    std::string folder = ScratchPath("export-files");
    CreateDirectoryA(folder.c_str(), nullptr);
    DeleteFileA((folder + "\\社員.sql").c_str());
    prompts_.folder = folder;
    ExportChoices choices = Prefixed(true);
    choices.viaFile = true;
    choices.fileOnly = true;
    ASSERT_EQ(1, Export(DatabaseKind::Postgres, DatabaseKind::MySql, choices, {"社員"}));
    ASSERT_EQ(1u, prompts_.asked.size());
    EXPECT_EQ("対象テーブルのデータを INSERT 構文テキスト( エクスポート先用 )\nに変換して出力します", prompts_.asked[0].text);
    EXPECT_EQ("query failed: select * from `EXP_社員`", Rows(DatabaseKind::MySql, kMy, "select * from `EXP_社員`")[0]);
    TextFile file;
    ASSERT_TRUE(file.OpenRead((folder + "\\社員.sql").c_str()));
    VornString line;
    int lines = 0;
    while (file.ReadLine(line)) {
        if (line.IsEmpty())
            continue;
        ++lines;
        EXPECT_TRUE(line.StartsWith("insert into `EXP_社員` (`社員番号`,")) << line.Text();
    }
    EXPECT_EQ(4, lines);
    file.Close();

    // Run as well: the table created (the key too), its file loaded. The writer leaves
    // timestamp columns to the database, so 登録日時 stays empty.
    prompts_.asked.clear();
    choices.fileOnly = false;
    choices.addKey = true;
    ASSERT_EQ(1, Export(DatabaseKind::Postgres, DatabaseKind::MySql, choices, {"売上明細"}));
    EXPECT_EQ(1u, prompts_.asked.size()) << prompts_.asked.back().text;
    EXPECT_EQ(Rows(DatabaseKind::Postgres, kPg, "select \"伝票番号\",\"行番号\",\"商品名\",\"数量\",\"単価\", null "
                                              "from \"売上明細\" order by 1,2"),
              Rows(DatabaseKind::MySql, kMy, "select `伝票番号`,`行番号`,`商品名`,`数量`,`単価`,`登録日時` "
                                           "from `EXP_売上明細` order by 1,2"));
    EXPECT_EQ(std::vector<std::string>{"2"},
              Rows(DatabaseKind::MySql, kMy, "select count(*) from information_schema.key_column_usage "
                                           "where table_name = 'EXP_売上明細' and constraint_name = 'PRIMARY'"));
}

namespace {

class ScriptedExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        backend_ = std::make_shared<ScriptedBackend>();
        previous_ = Connection::SetDefaultBackend(backend_);
        source_.BuildConnection(DatabaseKind::Mdb, "C:\\元.mdb");
        backend_->AddRowset("select * from [T]", ScriptedRowset()
                                                    .Column("番号", 3)
                                                    .Column("名前", 200, 20)
                                                    .Column("日付", 135)
                                                    .Column("額", 131)
                                                    .Row({"1", "O'Brien", "2024/01/05 09:30:00", "12.5"})
                                                    .Row({"2", nullptr, nullptr, nullptr}));
    }
    void TearDown() override { Connection::SetDefaultBackend(previous_); }

    int Export(const ExportDestination& destination, const ExportChoices& choices,
               ExportSourceTable table = ExportSourceTable{"T", "*", "", "", nullptr})
    {
        ExportContext context;
        context.source = &source_;
        context.programFolder = "C:\\Kestrova";
        context.prompts = prompts_.Make();
        context.loadDefinition = [](const char*, DefinitionRows& definition) {
            DefinitionRow id = EmptyDefinitionRow();
            id[kDefName] = "番号";
            id[kDefAdoType] = "3";
            id[kDefTypeName] = "INTEGER";
            id[kDefPrimaryKey] = "1";
            definition = {id};
            return true;
        };
        backend_->ClearRecord();
        return RunExport(nullptr, context, destination, choices, {table});
    }
    std::vector<std::string> Statements() const { return backend_->Statements(); }

    std::shared_ptr<ScriptedBackend> backend_;
    std::shared_ptr<Backend> previous_;
    DbLink source_;
    ScriptedPrompts prompts_;
};

ExportDestination File(DatabaseKind kind, const char* path)
{
    ExportDestination destination;
    destination.kind = kind;
    destination.path = path;
    return destination;
}

}  // namespace

TEST_F(ScriptedExport, AnMdbDestinationWithTheDefaultPrefixGetsExpT)
{
    ASSERT_EQ(1, Export(File(DatabaseKind::Mdb, "C:\\先.mdb"), Prefixed(false)));
    EXPECT_EQ((std::vector<std::string>{
                  "select * from [T]",
                  "create table [EXP_T] (\r\n\t[番号] INT\r\n\t,[名前] VARCHAR(20)\r\n\t,[日付] DATE\r\n\t,[額] DECIMAL\r\n)\r\n",
                  "insert into [EXP_T] ([番号],[名前],[日付],[額]) values(1,'O''Brien','2024/01/05 09:30:00',12.5)",
                  "insert into [EXP_T] ([番号],[名前],[日付],[額]) values(2,NULL,NULL,NULL)"}),
              Statements());
    EXPECT_EQ("OPEN Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\元.mdb;", backend_->Log()[0]);
    EXPECT_EQ("OPEN Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\先.mdb;", backend_->Log()[1]);
}

TEST_F(ScriptedExport, ServerAndWorkbookDestinationsGetTheirOwnStatements)
{
    ExportDestination sqlServer = Server(DatabaseKind::SqlServer, "srv");
    ASSERT_EQ(1, Export(sqlServer, Prefixed(false)));
    EXPECT_EQ("insert into [EXP_T] ([番号],[名前],[日付],[額]) values(1,'O''Brien','2024/01/05 09:30:00',12.5)"
              ",(2,NULL,NULL,NULL)",
              Statements().back());
    EXPECT_EQ("OPEN Provider=SQLOLEDB;Data Source=srv;Initial Catalog=sample;User ID=kestrova;Password=kestrova;",
              backend_->Log()[1]);

    ExportDestination oracle = Server(DatabaseKind::Oracle, "ora");
    oracle.database.Clear();
    ExportChoices created = Prefixed(true);
    created.addKey = true;
    ASSERT_EQ(1, Export(oracle, created));
    EXPECT_EQ((std::vector<std::string>{
                  "create table \"EXP_T\" (\r\n\t\"番号\" NUMBER\r\n\t,primary key(\"番号\")\r\n)\r\n",
                  "select * from [T]",
                  "insert into \"EXP_T\" (\"番号\",\"名前\",\"日付\",\"額\") values(1,'O''Brien',"
                  "TO_DATE('2024/01/05 09:30:00','RRRR/MM/DD HH24:MI:SS'),12.5)",
                  "insert into \"EXP_T\" (\"番号\",\"名前\",\"日付\",\"額\") values(2,NULL,NULL,NULL)"}),
              Statements());

    // A workbook takes no key, even when asked for one.
    ASSERT_EQ(1, Export(File(DatabaseKind::Excel, "C:\\先.xls"), created));
    EXPECT_EQ("create table [EXP_T] (\r\n\t[番号] NUMBER\r\n)\r\n", Statements()[0]);
    EXPECT_EQ("OPEN Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\先.xls;Extended Properties=\"Excel 8.0;\"",
              backend_->Log()[0]);
}

TEST_F(ScriptedExport, DataViewModeCopiesTheViewsQueryUnderItsNewName)
{
    source_.BuildConnection(DatabaseKind::MySql, "my,db,u,p");
    backend_->AddRowset("select `番号`, 名前 from `T` where 名前 = 'x' order by `番号`",
                        ScriptedRowset().Column("番号", 3).Column("名前", 200, 20).Row({"7", "x"}));
    ExportChoices choices;
    choices.dataViewMode = true;
    choices.nameBoxChecked = true;
    choices.nameText = "新'表";
    ExportSourceTable table{"T", "*", "", "", nullptr};
    table.columns = "`番号`, \"名前\"";
    table.condition = "\"名前\" = 'x'";
    table.order = "`番号`";
    ASSERT_EQ(1, Export(File(DatabaseKind::Mdb, "C:\\先.mdb"), choices, table));
    EXPECT_EQ("insert into [新'表] ([番号],[名前]) values(7,'x')", Statements().back());
}

TEST_F(ScriptedExport, EveryFailureAsksWithItsOwnText)
{
    // Oracle: a failure that is not the ODBC call's is no existing table.
    backend_->FailStatement("create table \"T\" (\r\n\t\"番号\" NUMBER\r\n\t,\"名前\" VARCHAR2(20)\r\n\t,\"日付\" DATE"
                            "\r\n\t,\"額\" NUMBER\r\n)\r\n",
                            "ORA-01031: 権限が不足しています");
    backend_->FailStatement("select * from \"T\" where 1=0", "ORA-00942");
    prompts_.answers = {IDNO};
    EXPECT_EQ(-1, Export(Server(DatabaseKind::Oracle, "ora"), ExportChoices()));
    ASSERT_EQ(1u, prompts_.asked.size());
    EXPECT_EQ("ORA-01031: 権限が不足しています\n\n続けますか?　　", prompts_.asked[0].text);

    // A program-created table that fails: Cancel ends the export.
    backend_->FailStatement("create table [T] (\r\n\t[番号] INTEGER\r\n)\r\n", "テーブル 'T' は既に存在します。");
    prompts_.asked.clear();
    prompts_.answers = {IDCANCEL};
    ExportChoices created;
    created.createByProgram = true;
    EXPECT_EQ(-1, Export(File(DatabaseKind::Mdb, "C:\\先.mdb"), created));
    ASSERT_EQ(1u, prompts_.asked.size());
    EXPECT_EQ("テーブル 'T' は既に存在します。\n\nデータを追加しますか?　　", prompts_.asked[0].text);

    // The source cannot be opened: its own text.
    backend_->FailOpen("ソースを開けません");
    prompts_.asked.clear();
    prompts_.answers = {IDYES};
    EXPECT_EQ(0, Export(File(DatabaseKind::Mdb, "C:\\先.mdb"), ExportChoices()));
    ASSERT_EQ(1u, prompts_.asked.size());
    EXPECT_EQ("ソースを開けません\n\n続けますか?　　", prompts_.asked[0].text);

    // Only the program's own database string sets the bridge up.
    ExportBridge bridge(DatabaseKind::Mdb, DatabaseKind::MySql);
    ErrorList errors;
    EXPECT_TRUE(FAILED(bridge.Open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\other.mdb;", errors)));
    EXPECT_STREQ("Kestrova.mdbに接続できません　　", errors.Item(0)->Description().Text());
    errors.Clear();
    EXPECT_TRUE(SUCCEEDED(bridge.Open(OwnDatabaseConnectionString("C:\\Kestrova"), errors)));
    std::unique_ptr<RowSource> none;
    EXPECT_TRUE(FAILED(bridge.Execute("drop table x", false, none, nullptr, errors)));
    EXPECT_STREQ("エクスポートの文として読めません: drop table x", errors.Item(0)->Description().Text());
}

TEST_F(ScriptedExport, TheDialogChecksItsFieldsAndFollowsTheOptionRules)
{
    RecordingWindow owner("エクスポート元", false);
    SchemaBrowser browser;
    browser.BuildConnection(DatabaseKind::Mdb, "C:\\元.mdb");
    browser.messageSink = [](HWND, const char*) {};
    GridView tables(owner.Handle(), 0, 0, 100, 100);
    for (int i = 0; i < 4; ++i)
        tables.AddColumn("c", 40);
    ExportDialogContext context;
    context.browser = &browser;
    context.tableList = &tables;
    context.prompts = prompts_.Make();
    EXPECT_EQ(-1, RunExportDialog(owner.Handle(), DatabaseKind::Mdb, context));
    ASSERT_EQ(1u, prompts_.asked.size());
    EXPECT_EQ("テーブルを選択して下さい　　", prompts_.asked[0].text);

    tables.AddRow();
    tables.SetText(1, "T");
    tables.Synchronize();
    tables.SelectRow(0, true);
    struct Case {
        DatabaseKind kind;
        const char* caption;
        std::vector<const char*> expected;
    } cases[] = {
        {DatabaseKind::Mdb, "MDB エクスポート",
         {"出力先の MDB のパスを指定して下さい　　", "出力先の MDB のパスを指定して下さい　　",
          "出力先の MDB のパスを指定して下さい　　"}},
        {DatabaseKind::SqlServer, "SQLServer エクスポート",
         {"サーバーを入力して下さい　　", "データベースを入力して下さい　　", "ユーザーを入力して下さい　　"}},
        {DatabaseKind::Postgres, "Postgres エクスポート",
         {"DSN を入力して下さい　　", "ユーザーを入力して下さい　　", "ユーザーを入力して下さい　　"}},
    };
    for (const Case& c : cases) {
        prompts_.asked.clear();
        prompts_.answers = {IDOK, IDOK, IDOK, IDNO};
        std::string prefix;
        bool createFixed = false, fileOnlyEnabled = true, createAfterFile = false;
        DialogDriver driver(c.caption, [&](HWND dialog) {
            char text[64] = "";
            GetDlgItemTextA(dialog, IDC_EXPORT_NAME, text, sizeof text);
            prefix = text;
            createFixed = !IsWindowEnabled(GetDlgItem(dialog, IDC_EXPORT_CREATE)) &&
                          IsDlgButtonChecked(dialog, IDC_EXPORT_CREATE) == BST_CHECKED;
            fileOnlyEnabled = IsWindowEnabled(GetDlgItem(dialog, IDC_EXPORT_FILE_ONLY));
            CheckDlgButton(dialog, IDC_EXPORT_VIA_FILE, BST_CHECKED);
            SendMessageA(dialog, WM_COMMAND, IDC_EXPORT_VIA_FILE, 0);
            createAfterFile = IsDlgButtonChecked(dialog, IDC_EXPORT_CREATE) == BST_CHECKED &&
                              IsWindowEnabled(GetDlgItem(dialog, IDC_EXPORT_FILE_ONLY));
            SetDlgItemTextA(dialog, IDC_EXPORT_SERVER, "");
            SendMessageA(dialog, WM_COMMAND, IDC_EXPORT_RUN, 0);
            SetDlgItemTextA(dialog, IDC_EXPORT_SERVER, "srv");
            SetDlgItemTextA(dialog, IDC_EXPORT_DATABASE, "");
            SendMessageA(dialog, WM_COMMAND, IDC_EXPORT_RUN, 0);
            SetDlgItemTextA(dialog, IDC_EXPORT_DATABASE, "db");
            SetDlgItemTextA(dialog, IDC_EXPORT_USER, "");
            SendMessageA(dialog, WM_COMMAND, IDC_EXPORT_RUN, 0);
            SetDlgItemTextA(dialog, IDC_EXPORT_USER, "u");
            SetDlgItemTextA(dialog, IDC_EXPORT_PATH, "C:\\先.mdb");
            SendMessageA(dialog, WM_COMMAND, IDC_EXPORT_RUN, 0);
            Press(dialog, IDCANCEL);
        });
        EXPECT_EQ(-1, RunExportDialog(owner.Handle(), c.kind, context));
        ASSERT_TRUE(driver.Finish()) << c.caption;
        std::vector<std::string> texts;
        for (const Asked& asked : prompts_.asked)
            texts.push_back(asked.text);
        std::vector<std::string> expected(c.expected.begin(), c.expected.end());
        expected.push_back("エクスポートを実行しますか?　　");
        EXPECT_EQ(expected, texts) << c.caption;
        EXPECT_EQ(c.kind == DatabaseKind::Postgres ? "EXP-" : "EXP_", prefix);
        EXPECT_EQ(c.kind == DatabaseKind::Postgres, createFixed);
        EXPECT_FALSE(fileOnlyEnabled);
        EXPECT_TRUE(createAfterFile);
    }
}
