// The structure assistants over the sample PostgreSQL and MariaDB databases: a table
// created from a loaded definition and from another kind's definition file, columns added,
// changed and dropped, a rename, a view, and the definition outputs — each checked in the
// database's own catalog afterwards.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "GridDialogDriving.h"
#include "TestSupport.h"
#include "WindowTestSupport.h"
#include "app/MainWindowTestSupport.h"
#include "db/AdoConnection.h"
#include "resources/resource.h"
#include "common/TextFile.h"
#include "resources/StructureDialogIds.h"
#include "schema/DefinitionFile.h"
#include "structure/AlterColumnDialogs.h"
#include "structure/AlterTableSql.h"
#include "structure/CreateTableDialog.h"
#include "structure/DefinitionOutput.h"
#include "structure/RenameDialog.h"
#include "structure/ViewDialog.h"

namespace {

struct Server {
    DatabaseKind kind;
    const char* argument;
    const char* types;   // the type drop-down
};
const Server kPostgres = {DatabaseKind::Postgres, "KestrovaPg,sample,kestrova,kestrova", "int4,varchar,numeric,text"};
const Server kMariaDb = {DatabaseKind::MySql, "KestrovaMy,sample,kestrova,kestrova", "int,varchar,decimal,text"};

// Every common type of each server, with a two-column key.
const char kPostgresSource[] =
    "create table \"型元\" (\"番号\" int4 not null, \"枝\" int2 not null, \"大\" int8, \"額\" numeric(15,2), "
    "\"率\" float4, \"倍\" float8, \"名\" varchar(40), \"符\" char(10), \"文\" text, \"日\" date, \"時\" time, "
    "\"日時\" timestamp, \"可否\" boolean, \"画\" bytea, primary key (\"番号\", \"枝\"))";
const char kMariaDbSource[] =
    "create table `型元` (`番号` int not null, `枝` smallint not null, `大` bigint, `額` decimal(15,2), "
    "`率` float, `倍` double, `名` varchar(40), `符` char(10), `文` text, `日` date, `時` time, "
    "`日時` datetime, `可否` tinyint, `画` blob, primary key (`番号`, `枝`))";

std::string Trimmed(const VornString& text)
{
    VornString copy(text);
    copy.TrimBlanks();
    return copy.Text();
}

class StructureDialogTest : public ::testing::TestWithParam<Server> {
protected:
    void SetUp() override { Open(GetParam()); }

    void Open(const Server& server)
    {
        server_ = server;
        owner_ = std::make_unique<RecordingWindow>("構造", false);
        definition_ = std::make_unique<GridView>(owner_->Handle(), 0, 0, 600, 300);
        settingsPath_ = ScratchPath("structure.ini");
        RemoveFile(settingsPath_);
        settings_ = std::make_unique<ProfileStore>(settingsPath_.c_str());
        ASSERT_TRUE(browser_.BuildConnection(server.kind, server.argument));
        context_.browser = &browser_;
        context_.definitionView = definition_.get();
        context_.settings = settings_.get();
        context_.parts.type = server.types;
        context_.toCommandArea = [this](const char* text) { transferred_ = text; };
        context_.refreshMain = [this] { ++refreshes_; };
        context_.reloadDefinition = [this] { Show(browser_.tableName); };
    }

    bool Run(const char* sql)
    {
        SchemaBrowser link;
        link.BuildConnection(server_.kind, server_.argument);
        link.sqlText = sql;
        return link.ExecuteSqlText() == 0;
    }
    void Drop(const char* table)
    {
        VornString sql;
        sql.Format("drop table %s", browser_.EncloseName(table).Text());
        Run(sql);
    }

    // The catalog's definition of the table, as the definition view shows it.
    int Show(const char* table)
    {
        browser_.tableName = table;
        return browser_.ShowDefinition(*definition_, -1, server_.kind == DatabaseKind::Postgres ? "public" : "");
    }
    DefinitionRows Definition(const char* table)
    {
        Show(table);
        return ReadDefinitionView(definition_.get());
    }
    std::vector<std::string> ColumnNames(const char* table)
    {
        std::vector<std::string> names;
        for (const DefinitionRow& row : Definition(table))
            names.push_back(row[kDefName].Text());
        return names;
    }

    void Assistant(const char* caption, void (*run)(HWND, const StructureContext&),
                   const std::function<void(HWND)>& action)
    {
        DialogDriver driver(caption, [&](HWND dialog) {
            WaitFor([&] { return GetForegroundWindow() == dialog; });
            Sleep(300);
            action(dialog);
            Press(dialog, IDCANCEL);
        });
        run(owner_->Handle(), context_);
        EXPECT_TRUE(driver.Finish());
    }

    std::string Transfer(HWND dialog)
    {
        transferred_ = "<none>";
        SendCommand(dialog, IDM_ST_TO_COMMAND_AREA);
        return transferred_;
    }

    Server server_{};
    std::unique_ptr<RecordingWindow> owner_;
    std::unique_ptr<GridView> definition_;
    std::string settingsPath_;
    std::unique_ptr<ProfileStore> settings_;
    SchemaBrowser browser_;
    StructureContext context_;
    std::string transferred_;
    int refreshes_ = 0;
};

std::string MenuText(HWND dialog, int command)
{
    char text[256] = "";
    GetMenuStringA(GetMenu(dialog), command, text, sizeof text, MF_BYCOMMAND);
    return text;
}

// The columns of both tables agree in name, kind of type, length, precision, scale and key.
void ExpectSameDefinition(const DefinitionRows& source, const DefinitionRows& copy)
{
    ASSERT_EQ(source.size(), copy.size());
    for (size_t i = 0; i < source.size(); ++i) {
        for (int column : {kDefName, kDefAdoType, kDefTypeName, kDefSize, kDefScale, kDefPrimaryKey})
            EXPECT_EQ(Trimmed(source[i][column]), Trimmed(copy[i][column])) << source[i][kDefName].Text() << " " << column;
    }
}

}  // namespace

TEST_P(StructureDialogTest, ALoadedDefinitionCreatesTheSameTableUnderANewName)
{
    Drop("型先");
    Drop("型元");
    ASSERT_TRUE(Run(server_.kind == DatabaseKind::Postgres ? kPostgresSource : kMariaDbSource));
    ASSERT_EQ(14, Show("型元")) << browser_.ErrorText.Text();
    DefinitionRows source = ReadDefinitionView(definition_.get());
    Assistant("表作成 支援", RunCreateTable, [&](HWND dialog) {
        EXPECT_EQ("型元 の表定義をロード", MenuText(dialog, IDM_ST_LOAD_DEFINITION));
        EXPECT_EQ(20, ListView_GetItemCount(List(dialog)));
        EXPECT_EQ("表名を指定して下さい　　", CommandAndAnswer(dialog, IDM_ST_TO_COMMAND_AREA));
        SetDlgItemTextA(dialog, IDC_ST_TABLE, "型先");
        EXPECT_EQ("少なくとも一つの列を指定して下さい　　", CommandAndAnswer(dialog, IDM_ST_TO_COMMAND_AREA));
        EXPECT_TRUE(WaitFor([&] { return Visible(EditBox(dialog)); }));
        SendCommand(dialog, IDM_ST_LOAD_DEFINITION);
        EXPECT_EQ("額", Cell(dialog, 3, kCreateName));
        EXPECT_EQ("15", Cell(dialog, 3, kCreateSize));
        EXPECT_EQ("2", Cell(dialog, 3, kCreateScale));
        EXPECT_EQ("40", Cell(dialog, 6, kCreateSize));
        EXPECT_EQ("2", Cell(dialog, 1, kCreateKey));
        EXPECT_EQ("15", Cell(dialog, 14, 0));   // loaded rows renumbered, 20 rows kept
        SaveScreenshot(dialog, "KESTROVA_SCREENSHOT_CREATE");
        std::string statement = Transfer(dialog);
        EXPECT_NE(std::string::npos, statement.find("(15,2)")) << statement;
        EXPECT_NE(std::string::npos, statement.find("\r\n\t,primary key(")) << statement;
        EXPECT_EQ("表を作成しますか?　　", CommandAndAnswer(dialog, IDM_ST_EXECUTE, IDYES));
        EXPECT_TRUE(WaitFor([&] { return Caption(dialog) == "● 更新処理は正常終了しました"; })) << Caption(dialog);
        // A second run fails in the database and says so; the grid stays.
        EXPECT_EQ("表を作成しますか?　　", CommandAndAnswer(dialog, IDM_ST_EXECUTE, IDYES));
        HWND failure = WaitForOwnDialog("確認", 10000);
        EXPECT_NE(nullptr, failure);
        if (failure)
            Press(failure, IDOK);
        EXPECT_EQ("額", Cell(dialog, 3, kCreateName));
    });
    EXPECT_EQ(1, refreshes_);
    ExpectSameDefinition(source, Definition("型先"));
    VornString width;
    EXPECT_TRUE(settings_->Read("CreateWindowSize", "Width", width) && !width.IsEmpty());
    Drop("型先");
    Drop("型元");
}

TEST_P(StructureDialogTest, ColumnsAreAddedChangedAndDropped)
{
    Drop("列表");
    ASSERT_TRUE(Run(server_.kind == DatabaseKind::Postgres ? "create table \"列表\" (id int4 primary key, a varchar(10))"
                                                            : "create table `列表` (id int primary key, a varchar(10))"));
    ASSERT_EQ(2, Show("列表"));
    const char* integer = server_.kind == DatabaseKind::Postgres ? "int4" : "int";
    Assistant("列追加 支援", RunAddColumns, [&](HWND dialog) {
        EXPECT_TRUE(EditCell(dialog, 0, kAddName, "b"));
        EXPECT_TRUE(Choose(dialog, 0, kAddType, integer));
        EXPECT_TRUE(EditCell(dialog, 2, kAddName, "c"));
        EXPECT_TRUE(Choose(dialog, 2, kAddType, "varchar"));
        if (server_.kind == DatabaseKind::MySql) {
            EXPECT_EQ("VARCHAR 型では桁数を指定して下さい　　", CommandAndAnswer(dialog, IDM_ST_TO_COMMAND_AREA));
        }
        EXPECT_TRUE(EditCell(dialog, 2, kAddSize, "20"));
        EXPECT_EQ("列を追加しますか?　　", CommandAndAnswer(dialog, IDM_ST_EXECUTE, IDYES));
        EXPECT_TRUE(WaitFor([&] { return Caption(dialog) == "● 更新処理は正常終了しました"; })) << Caption(dialog);
    });
    EXPECT_EQ((std::vector<std::string>{"id", "a", "b", "c"}), ColumnNames("列表"));

    Assistant("列のデータ型変更 支援", RunModifyColumns, [&](HWND dialog) {
        EXPECT_EQ("20", Cell(dialog, 3, kModifySize));
        EXPECT_EQ("少なくとも一つの処理を指定して下さい　　", CommandAndAnswer(dialog, IDM_ST_EXECUTE));
        EXPECT_TRUE(WaitFor([&] { return Visible(ComboBox(dialog)); }));
        SendMessageA(List(dialog), WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_TRUE(Choose(dialog, 3, kModifyNewType, "varchar"));
        EXPECT_TRUE(EditCell(dialog, 3, kModifySize, "30"));
        EXPECT_EQ("列の定義を変更しますか?　　", CommandAndAnswer(dialog, IDM_ST_EXECUTE, IDYES));
        EXPECT_TRUE(WaitFor([&] { return Caption(dialog) == "● 更新処理は正常終了しました"; })) << Caption(dialog);
        EXPECT_EQ("30", Cell(dialog, 3, kModifySize));   // refilled from the catalog
        EXPECT_EQ("", Cell(dialog, 3, kModifyNewType));
    });
    EXPECT_STREQ("30", Definition("列表")[3][kDefSize].Text());

    Assistant("列削除 支援", RunDropColumns, [&](HWND dialog) {
        EXPECT_EQ("少なくとも一つの列を選択して下さい　　", CommandAndAnswer(dialog, IDM_ST_EXECUTE));
        GridView* grid = GridView::FromListHandle(List(dialog));
        ASSERT_NE(nullptr, grid);
        grid->SetChecked(2, true);
        grid->SetChecked(3, true);
        EXPECT_EQ("列の削除を実行しますか?　　", CommandAndAnswer(dialog, IDM_ST_EXECUTE, IDYES));
        EXPECT_TRUE(WaitFor([&] { return Caption(dialog) == "● 更新処理は正常終了しました"; })) << Caption(dialog);
        EXPECT_EQ(2, ListView_GetItemCount(List(dialog)));
    });
    EXPECT_EQ((std::vector<std::string>{"id", "a"}), ColumnNames("列表"));
    Drop("列表");
}

INSTANTIATE_TEST_SUITE_P(Servers, StructureDialogTest, ::testing::Values(kPostgres, kMariaDb),
                         [](const ::testing::TestParamInfo<Server>& info) {
                             return info.param.kind == DatabaseKind::Postgres ? "Postgres" : "MariaDb";
                         });

// From one server's definition file to a table on the other: the catalog of the new table
// against the mapping, which is written out for the record.
TEST(StructureTypeMapping, DefinitionFilesCarryTablesBetweenPostgresAndMariaDb)
{
    RecordingWindow owner("型", false);
    GridView list(owner.Handle(), 0, 0, 600, 300);
    std::string table = "source → target: column (source type → target type)\n";
    std::string everyKind = "source type | Excel | MDB | SQLServer | MySQL | Oracle | Postgres\n";
    for (const Server& from : {kPostgres, kMariaDb}) {
        const Server& to = from.kind == DatabaseKind::Postgres ? kMariaDb : kPostgres;
        SchemaBrowser source, target;
        source.BuildConnection(from.kind, from.argument);
        target.BuildConnection(to.kind, to.argument);
        for (SchemaBrowser* link : {&source, &target}) {
            link->sqlText.Format("drop table %s", link->EncloseName("型元").Text());
            link->ExecuteSqlText();
        }
        source.sqlText = from.kind == DatabaseKind::Postgres ? kPostgresSource : kMariaDbSource;
        ASSERT_EQ(0, source.ExecuteSqlText()) << source.ErrorText.Text();
        source.tableName = "型元";
        ASSERT_EQ(14, source.ShowDefinition(list, -1, from.kind == DatabaseKind::Postgres ? "public" : ""));
        DefinitionRows sourceRows = ReadDefinitionView(&list);
        // Every kind's reading of the same definition file, for the record.
        const DatabaseKind kinds[] = {DatabaseKind::Excel, DatabaseKind::Mdb, DatabaseKind::SqlServer,
                                      DatabaseKind::MySql, DatabaseKind::Oracle, DatabaseKind::Postgres};
        std::vector<std::string> cells(sourceRows.size());
        for (DatabaseKind kind : kinds) {
            DefinitionFileTable read;
            ASSERT_TRUE(ReadDefinitionFileText(DefinitionFileText(from.kind, "型元", sourceRows), kind, read));
            for (size_t i = 0; i < read.columns.size() && i < cells.size(); ++i) {
                const DefinitionFileColumn& column = read.columns[i];
                std::string type = column.type.Text();
                if (!column.size.IsEmpty())
                    type += "(" + std::string(column.size.Text()) +
                            (column.scale.IsEmpty() ? "" : "," + std::string(column.scale.Text())) + ")";
                cells[i] += " | " + type;
            }
        }
        for (size_t i = 0; i < sourceRows.size(); ++i)
            everyKind += std::string(KindSectionName(from.kind)) + " " + sourceRows[i][kDefTypeName].Text() + cells[i] +
                         "\n";
        DefinitionFileTable file;
        ASSERT_TRUE(ReadDefinitionFileText(DefinitionFileText(from.kind, "型元", sourceRows), to.kind, file));
        TableColumnRows rows;
        for (const DefinitionFileColumn& column : file.columns)
            rows.push_back(TableColumnRow{column.name, column.type, column.size, column.scale, column.key, "", ""});
        VornString statement;
        ASSERT_TRUE(BuildCreateTable(DdlTarget{to.kind, false}, file.tableName, rows, statement).Ok());
        target.sqlText = statement;
        ASSERT_EQ(0, target.ExecuteSqlText()) << target.ErrorText.Text() << "\n" << statement.Text();
        target.tableName = "型元";
        ASSERT_EQ(14, target.ShowDefinition(list, -1, to.kind == DatabaseKind::Postgres ? "public" : ""));
        DefinitionRows targetRows = ReadDefinitionView(&list);
        for (size_t i = 0; i < sourceRows.size(); ++i) {
            const DefinitionRow& s = sourceRows[i];
            const DefinitionRow& t = targetRows[i];
            char line[256];
            std::snprintf(line, sizeof line, "%s → %s: %s (%s %s,%s → %s %s,%s)\n", KindSectionName(from.kind),
                          KindSectionName(to.kind), s[kDefName].Text(), s[kDefTypeName].Text(),
                          s[kDefSize].IsEmpty() ? s[kDefPrecision].Text() : s[kDefSize].Text(), s[kDefScale].Text(),
                          t[kDefTypeName].Text(), t[kDefSize].IsEmpty() ? t[kDefPrecision].Text() : t[kDefSize].Text(),
                          t[kDefScale].Text());
            table += line;
            EXPECT_EQ(Trimmed(s[kDefName]), Trimmed(t[kDefName]));
            EXPECT_EQ(Trimmed(s[kDefPrimaryKey]), Trimmed(t[kDefPrimaryKey])) << line;
        }
        // The decimal keeps precision and scale, the lengths stay, and the time of day has a place.
        EXPECT_EQ("15", Trimmed(targetRows[3][kDefPrecision]));
        EXPECT_EQ("2", Trimmed(targetRows[3][kDefScale]));
        EXPECT_EQ("131", Trimmed(targetRows[3][kDefAdoType]));
        EXPECT_EQ("40", Trimmed(targetRows[6][kDefSize]));
        EXPECT_EQ("135", Trimmed(targetRows[11][kDefAdoType]));
        for (SchemaBrowser* link : {&source, &target}) {
            link->sqlText.Format("drop table %s", link->EncloseName("型元").Text());
            link->ExecuteSqlText();
        }
    }
    WriteBytes(ScratchPath("type-mapping.txt"), table + "\n" + everyKind);
    std::printf("%s", table.c_str());
}

class StructurePostgresTest : public StructureDialogTest {
protected:
    void SetUp() override { Open(kPostgres); }
};

TEST_F(StructurePostgresTest, RenameRefusesTheSameNameAndRenamesInTheCatalog)
{
    Drop("ren_b");
    Drop("ren_a");
    ASSERT_TRUE(Run("create table ren_a (id int4)"));
    RenameContext context{&browser_, "ren_a", [this] { ++refreshes_; }};
    DialogDriver driver("名称変更", [&](HWND dialog) {
        char text[64] = "";
        GetDlgItemTextA(dialog, IDC_RENAME_NAME, text, sizeof text);
        EXPECT_STREQ("ren_a", text);
        SetDlgItemTextA(dialog, IDC_RENAME_NAME, "REN_A");
        EXPECT_EQ("名称を変更して下さい　　", CommandAndAnswer(dialog, IDC_RENAME_RUN));
        SetDlgItemTextA(dialog, IDC_RENAME_NAME, "ren_b");
        EXPECT_EQ("名称は変更されました　　", CommandAndAnswer(dialog, IDC_RENAME_RUN));
    });
    RunRename(owner_->Handle(), context);
    EXPECT_TRUE(driver.Finish());
    EXPECT_EQ(1, refreshes_);
    EXPECT_EQ(1, Show("ren_b"));
    Drop("ren_b");
}

TEST_F(StructurePostgresTest, AViewIsMadeOfTheCommandAreaQuery)
{
    Run("drop view \"一覧ビュー\"");
    std::string query;
    ViewContext context{&browser_, "SQL", [&] { return VornString(query.c_str()); }, [this] { ++refreshes_; }};
    DialogDriver empty("確認", [&](HWND box) {
        EXPECT_EQ("コマンドエリアに記述がありません　　", DialogStaticText(box));
        Press(box, IDOK);
    });
    RunCreateView(owner_->Handle(), context);
    EXPECT_TRUE(empty.Finish());

    query = "select * from 無い表\n";
    DialogDriver driver("VIEW 作成", [&](HWND dialog) {
        EXPECT_EQ("ビュー名を入力して下さい　　", CommandAndAnswer(dialog, IDC_VIEW_RUN));
        SetDlgItemTextA(dialog, IDC_VIEW_NAME, "一覧ビュー");
        EXPECT_NE(std::string::npos, CommandAndAnswer(dialog, IDC_VIEW_RUN).find("無い表"));
        query = "select 1 as \"一\"\n";
        EXPECT_EQ("処理が正常に終了しました　　", CommandAndAnswer(dialog, IDC_VIEW_RUN));
    });
    RunCreateView(owner_->Handle(), context);
    EXPECT_TRUE(driver.Finish());
    EXPECT_EQ(1, refreshes_);
    EXPECT_EQ(1, Show("一覧ビュー"));
    Run("drop view \"一覧ビュー\"");
}

TEST_F(StructurePostgresTest, DefinitionOutputsWriteStatementsAndDefinitionFiles)
{
    Drop("出力表");
    ASSERT_TRUE(Run("create table \"出力表\" (id int4 primary key, \"名\" varchar(10), \"額\" numeric(15,2))"));
    ASSERT_TRUE(Run("insert into \"出力表\" values (1, 'O''Brien', 1234567890123.45), (2, NULL, -0.05)"));
    GridView tables(owner_->Handle(), 0, 0, 300, 100);
    for (int column = 0; column < 4; ++column)
        tables.AddColumn("", 50);
    tables.AddRow();
    tables.SetCellText(0, 1, "出力表");
    tables.SetCellText(0, 3, "public");
    tables.SelectRow(0, true);
    DefinitionOutputContext context{&browser_, &tables, settings_.get()};
    browser_.tableName = "社員";
    browser_.shownTableIndex = 7;

    const std::string sql = ScratchPath("表定義.sql");
    RemoveFile(sql);
    DialogDriver save("保存ファイルのパスの取得", [&](HWND dialog) {
        HWND field = GetDlgItem(dialog, 0x47c);
        SetWindowTextA(field ? field : GetDlgItem(dialog, 0x480), sql.c_str());
        Press(dialog, IDOK);
    });
    OutputTableDefinitions(owner_->Handle(), context, DefinitionOutputMode::OneFileWithData, true);
    ASSERT_TRUE(save.Finish());
    EXPECT_EQ("drop table \"出力表\";\r\ncreate table \"出力表\" (\r\n\t\"id\" int4\r\n\t,\"名\" varchar(10)\r\n\t,\"額\" numeric(15,2)"
              "\r\n\t,primary key(\"id\")\r\n)\r\n;\r\n"
              "insert into \"出力表\" (\"id\",\"名\",\"額\") values(1,'O''Brien',1234567890123.45);\r\n"
              "insert into \"出力表\" (\"id\",\"名\",\"額\") values(2,NULL,-0.05);\r\n",
              ReadBytes(sql));
    EXPECT_STREQ("社員", browser_.tableName.Text());
    EXPECT_EQ(7, browser_.shownTableIndex);

    const std::string folder = "C:\\定義出力";
    CreateDirectoryA(folder.c_str(), nullptr);
    RemoveFile(folder + "\\出力表.wos");
    DialogDriver chooser(nullptr, [&](HWND dialog) {
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
        // The tree fills in the background: OK only once it shows the folder selected.
        HWND tree = FindWindowExA(dialog, nullptr, "SysTreeView32", nullptr);
        WaitFor([&] {
            char text[MAX_PATH] = "";
            TVITEMA item = {};
            item.mask = TVIF_TEXT;
            item.hItem = TreeView_GetSelection(tree);
            item.pszText = text;
            item.cchTextMax = sizeof text;
            return item.hItem && TreeView_GetItem(tree, &item) && std::string(text) == "定義出力";
        });
        Press(dialog, IDOK);
        HWND box = WaitForOwnDialog("確認", 20000);
        EXPECT_NE(nullptr, box);
        if (box) {
            EXPECT_EQ("変換用表定義出力が終了しました　　", DialogStaticText(box));
            Press(box, IDOK);
        }
    });
    WriteDefinitionFiles(owner_->Handle(), context);
    ASSERT_TRUE(chooser.Finish());
    EXPECT_EQ("POSTGRES\r\n出力表\r\nid,int4,3,,,1\r\n名,varchar,200,10,,\r\n額,numeric,131,15,2,\r\n",
              ReadBytes(folder + "\\出力表.wos"));
    RemoveFile(folder + "\\出力表.wos");
    RemoveDirectoryA(folder.c_str());
    Drop("出力表");
}

TEST(StructureScripted, SqlServerChangeRunsEveryStatementAndKeepsTheGridAfterAFailure)
{
    auto backend = UseScriptedBackend();
    backend->FailStatement("alter table [T] alter column \r\n\t[b] bigint\r\n", "型を変換できません");
    RecordingWindow owner("構造", false);
    GridView definition(owner.Handle(), 0, 0, 300, 100);
    SchemaBrowser::PrepareDefinitionList(definition);
    for (const char* name : {"a", "b", "c"}) {
        int row = definition.AddRow();
        definition.SetCellText(row, kDefName, name);
        definition.SetCellText(row, kDefAdoType, "3");
        definition.SetCellText(row, kDefTypeName, "int");
    }
    SchemaBrowser browser;
    ASSERT_TRUE(browser.BuildConnection(DatabaseKind::SqlServer, "srv,db,sa,pw"));
    browser.tableName = "T";
    StructureContext context;
    context.browser = &browser;
    context.definitionView = &definition;
    context.parts.type = "int,bigint";
    int reloads = 0;
    context.reloadDefinition = [&] { ++reloads; };
    DialogDriver driver("列のデータ型変更 支援", [&](HWND dialog) {
        WaitFor([&] { return GetForegroundWindow() == dialog; });
        Sleep(300);
        for (int row = 0; row < 3; ++row)
            EXPECT_TRUE(Choose(dialog, row, kModifyNewType, "bigint"));
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDM_ST_EXECUTE, 0), 0);
        for (const char* expected : {"列の定義を変更しますか?　　", "型を変換できません"}) {
            HWND box = WaitForOwnDialog("確認", 10000);
            ASSERT_NE(nullptr, box);
            EXPECT_NE(std::string::npos, DialogStaticText(box).find(expected));
            Press(box, std::string(expected).find("?") != std::string::npos ? IDYES : IDOK);
            WaitFor([&] { return !IsWindow(box); });
        }
        WaitFor([&] { return backend->Statements().size() >= 3; });
        EXPECT_EQ("bigint", Cell(dialog, 1, kModifyNewType));
        EXPECT_EQ("列のデータ型変更 支援", Caption(dialog));
        Press(dialog, IDCANCEL);
    });
    RunModifyColumns(owner.Handle(), context);
    EXPECT_TRUE(driver.Finish());
    std::vector<std::string> alters;
    for (const std::string& statement : backend->Statements())
        if (statement.rfind("alter table", 0) == 0)
            alters.push_back(statement);
    EXPECT_EQ((std::vector<std::string>{"alter table [T] alter column \r\n\t[a] bigint\r\n",
                                        "alter table [T] alter column \r\n\t[b] bigint\r\n",
                                        "alter table [T] alter column \r\n\t[c] bigint\r\n"}),
              alters);
    EXPECT_EQ(0, reloads);
    Connection::SetDefaultBackend(nullptr);
}

TEST(StructureFromTheMainWindow, ColumnAssistantsNeedTheShownDefinitionAndNameItsTable)
{
    MainWindowFixture app;
    app.Start();
    MainWindow& main = app.Main();
    ASSERT_TRUE(main.ConnectWith(DatabaseKind::Postgres, kPostgres.argument));
    EXPECT_TRUE(MenuCommandEnabled(app.Handle(), IDM_CREATE_TABLE));
    EXPECT_TRUE(MenuCommandEnabled(app.Handle(), IDM_RENAME));
    GridView& list = main.TableList();
    int employees = -1;
    for (int row = 0; row < list.RowCount() && employees < 0; ++row)
        employees = list.CellText(row, 1).Equals("社員") ? row : -1;
    ASSERT_GE(employees, 0);
    list.SelectRow(employees, true);
    DialogDriver refused("確認", [&](HWND box) {
        EXPECT_EQ("表をクリックして表定義を表示して下さい　　", DialogStaticText(box));
        Press(box, IDOK);
    });
    app.Command(IDM_DROP_COLUMN);
    EXPECT_TRUE(refused.Finish());

    SendMessageA(app.Handle(), kGridClick, reinterpret_cast<WPARAM>(list.ListHandle()), MAKELONG(employees, 1));
    RecordingWindow::Pump();
    ASSERT_TRUE(main.DefinitionShowsTable());
    DialogDriver driver("列追加 支援", [&](HWND dialog) {
        char text[64] = "";
        GetDlgItemTextA(dialog, IDC_ST_TABLE, text, sizeof text);
        EXPECT_STREQ("社員", text);
        EXPECT_EQ(7, Header_GetItemCount(ListView_GetHeader(List(dialog))));
        Press(dialog, IDCANCEL);
    });
    app.Command(IDM_ADD_COLUMN);
    EXPECT_TRUE(driver.Finish());
}
