// The selection step: tables, columns, connection fields and folders put into the text.
#include <gtest/gtest.h>

#include <string>

#include "command/MacroExpansion.h"

namespace {

SelectedColumn Column(const char* name, const char* adoType, const char* typeName, const char* size,
                      const char* precision = "", const char* scale = "")
{
    SelectedColumn column;
    column.name = name;
    column.adoType = adoType;
    column.typeName = typeName;
    column.size = size;
    column.precision = precision;
    column.scale = scale;
    return column;
}

MacroSelection TwoTablesOn(DatabaseKind kind)
{
    MacroSelection selection;
    selection.kind = kind;
    selection.tables = {{"社員", "TABLE"}, {"売上明細", "VIEW"}};
    return selection;
}

MacroSelection WithColumns(MacroSelection selection, std::vector<SelectedColumn> columns)
{
    selection.definitionShowsTable = true;
    selection.definitionHasSelection = true;
    selection.columns = std::move(columns);
    return selection;
}

// The expanded text, or "refused:N" with the refusal.
std::string Expand(const char* text, const MacroSelection& selection)
{
    VornString work(text);
    MacroRefusal refusal = MacroRefusal::Cancelled;
    if (!ExpandSelectionMacros(work, selection, &refusal)) {
        EXPECT_STREQ(text, work.Text()) << "a refused text stays as it was";
        return "refused:" + std::to_string(static_cast<int>(refusal));
    }
    EXPECT_EQ(MacroRefusal::None, refusal);
    return work.Text();
}

const std::string kNoTable = "refused:" + std::to_string(static_cast<int>(MacroRefusal::NoTable));
const std::string kNoColumn = "refused:" + std::to_string(static_cast<int>(MacroRefusal::NoColumn));

}  // namespace

TEST(SelectionMacros, TableMacrosUseTheFirstSelectedTableAndListsAllOfThem)
{
    MacroSelection selection = TwoTablesOn(DatabaseKind::SqlServer);
    EXPECT_EQ("select * from 社員 -- TABLE", Expand("select * from $TABLE -- $TYPE", selection));
    EXPECT_EQ("社員,売上明細", Expand("$LISTTABLE", selection));
    EXPECT_EQ("drop table 社員 売上明細;", Expand("drop table $LISTSPACETABLE;", selection));
    // $TABLE is never enclosed, even under $ENCLOSE.
    EXPECT_EQ("社員 [社員] [売上明細]", Expand("$TABLE $ENCLOSE$LISTSPACETABLE", selection));
    EXPECT_EQ("[社員],[売上明細]", Expand("$LISTTABLE$ENCLOSE$ENCLOSE", selection));
}

TEST(SelectionMacros, EncloseFollowsTheKindAndLeavesEnclosedNamesAlone)
{
    MacroSelection selection = TwoTablesOn(DatabaseKind::MySql);
    EXPECT_EQ("`社員`,`売上明細`", Expand("$ENCLOSE$LISTTABLE", selection));
    selection.kind = DatabaseKind::Postgres;
    selection.tables[1].name = "\"表ソ\"";
    EXPECT_EQ("\"社員\" \"表ソ\"", Expand("$ENCLOSE$LISTSPACETABLE", selection));
    selection.kind = DatabaseKind::Excel;
    selection.tables = {{"Sheet1$", "TABLE"}};
    selection.connection.connectionString = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\a.xls";
    EXPECT_EQ("[Sheet1$]", Expand("$ENCLOSE$LISTTABLE", selection));
    // A workbook reached through another DSN takes names as they are.
    selection.connection.connectionString = "Provider=MSDASQL;DSN=ExcelFiles;UID=;PWD=;";
    EXPECT_EQ("Sheet1$", Expand("$ENCLOSE$LISTTABLE", selection));
}

TEST(SelectionMacros, TableMacrosWithoutASelectedTableAreRefused)
{
    MacroSelection none;
    none.kind = DatabaseKind::Postgres;
    for (const char* text : {"select * from $TABLE", "$TYPE", "$LISTTABLE", "x $LISTSPACETABLE", "$TABLES"})
        EXPECT_EQ(kNoTable, Expand(text, none)) << text;
    EXPECT_EQ("select 1 -- TABLE $TABL", Expand("select 1 -- TABLE $TABL", none));
    // A "$" taken as the trail byte of the character before it starts no macro.
    EXPECT_EQ("x\x81$TABLE", Expand("x\x81$TABLE", none));
}

TEST(SelectionMacros, ColumnMacrosNeedASelectedRowOfATableDefinition)
{
    MacroSelection freeSql = WithColumns(TwoTablesOn(DatabaseKind::Postgres), {Column("番号", "3", "int4", "4")});
    freeSql.definitionShowsTable = false;
    EXPECT_EQ(kNoColumn, Expand("select $COLUMN from t", freeSql));
    MacroSelection noRow = WithColumns(TwoTablesOn(DatabaseKind::Postgres), {});
    noRow.definitionHasSelection = false;
    for (const char* text : {"$COLUMN", "$DATATYPE", "$LISTCOLUMN", "$LISTSPACECOLUMN"})
        EXPECT_EQ(kNoColumn, Expand(text, noRow)) << text;
    // The table check comes first.
    MacroSelection nothing;
    EXPECT_EQ(kNoTable, Expand("$COLUMN $TABLE", nothing));
}

TEST(SelectionMacros, ColumnListsTakeEverySelectedRow)
{
    MacroSelection selection = WithColumns(TwoTablesOn(DatabaseKind::Oracle),
                                           {Column("番号", "3", "NUMBER", "22"), Column("氏名", "200", "VARCHAR2", "40")});
    EXPECT_EQ("select 番号 from 社員", Expand("select $COLUMN from $TABLE", selection));
    EXPECT_EQ("番号,氏名|番号 氏名", Expand("$LISTCOLUMN|$LISTSPACECOLUMN", selection));
    EXPECT_EQ("\"番号\",\"氏名\"", Expand("$ENCLOSE$LISTCOLUMN", selection));
}

TEST(SelectionMacros, DataTypeAddsSizeBelow256OrPrecisionAndScaleForNumeric)
{
    struct Case {
        SelectedColumn column;
        const char* expected;
    };
    const Case cases[] = {
        {Column("名", "200", "varchar", "50"), "varchar(50)"},
        {Column("名", "200", "varchar", "255"), "varchar(255)"},
        {Column("名", "201", "text", "256"), "text"},
        {Column("名", "3", "int", ""), "int"},
        {Column("名", "131", "numeric", "", "10", "2"), "numeric(10,2)"},
        {Column("名", "131", "decimal", "19", "10", "2"), "decimal(10,2)"},
        {Column("名", "131", "numeric", "", "10", ""), "numeric(10,)"},
    };
    for (const Case& c : cases) {
        MacroSelection selection = WithColumns(TwoTablesOn(DatabaseKind::SqlServer), {c.column});
        EXPECT_EQ(std::string("alter column 名 ") + c.expected, Expand("alter column $COLUMN $DATATYPE", selection));
    }
}

TEST(SelectionMacros, ConnectionFieldsDependOnTheKind)
{
    MacroSelection selection;
    const char* text = "$DBPATH|$SERVER|$DSN|$DATABASE|$USER|$PASS";
    selection.kind = DatabaseKind::Postgres;
    selection.connection.Build(DatabaseKind::Postgres, "KestrovaPg,sample,kestrova,秘密");
    EXPECT_EQ("||KestrovaPg|sample|kestrova|秘密", Expand(text, selection));
    EXPECT_EQ("Provider=MSDASQL;DSN=KestrovaPg;DATABASE=sample;UID=kestrova;PWD=秘密;", Expand("$CONNECTION", selection));
    selection.kind = DatabaseKind::Oracle;
    selection.connection = ConnectionRecord();
    selection.connection.Build(DatabaseKind::Oracle, "ORCL,scott,tiger");
    EXPECT_EQ("||ORCL||SCOTT|tiger", Expand(text, selection));
    selection.kind = DatabaseKind::SqlServer;
    selection.connection = ConnectionRecord();
    selection.connection.Build(DatabaseKind::SqlServer, "srv\\表,db,sa,pw");
    EXPECT_EQ("|srv\\表||db|sa|pw", Expand(text, selection));
    selection.kind = DatabaseKind::Mdb;
    selection.connection = ConnectionRecord();
    selection.connection.Build(DatabaseKind::Mdb, "C:\\データ\\表.mdb");
    EXPECT_EQ("C:\\データ\\表.mdb|||||", Expand(text, selection));
}

TEST(SelectionMacros, FoldersLoseTheirTrailingBackslashButKeepTrailBytes)
{
    MacroSelection selection;
    selection.windowsFolder = "C:\\windows";
    selection.systemFolder = "C:\\windows\\system32";
    selection.programFolder = "C:\\Kestrova";
    selection.tempFolder = "C:\\temp\\";
    selection.desktopFolder = "C:\\表";  // ends in the trail byte 0x5C
    selection.documentsFolder = "C:\\文書\\";
    selection.computerName = "PC1";
    selection.userName = "鈴木";
    selection.mainWindow = 4294967295UL;
    EXPECT_EQ("C:\\windows C:\\windows\\system32 C:\\Kestrova C:\\temp C:\\表 C:\\文書 PC1 鈴木 4294967295",
              Expand("$WINDOWS $SYSTEM $PGDIR $TEMP $DESKTOPDIR $MYDOC $PC $LOGON $HWND", selection));
    EXPECT_EQ("1$ 10 $OTHER", Expand("$PC1$ $HWND0 $OTHER", [] {
                  MacroSelection s;
                  s.mainWindow = 1;
                  return s;
              }()));
}

TEST(SelectionMacros, MacrosAreReplacedInTableOrderAndReplacedTextIsNotSearchedAgain)
{
    MacroSelection selection = TwoTablesOn(DatabaseKind::MySql);
    selection.tables[0].name = "a$TABLEb";
    EXPECT_EQ("a$TABLEb,a$TABLEb", Expand("$TABLE,$TABLE", selection));
    // $TYPE comes after $TABLE: a type text naming $TABLE stays.
    selection.tables[0].type = "$TABLE";
    EXPECT_EQ("$TABLE", Expand("$TYPE", selection));
    // A later macro in an earlier replacement is replaced.
    selection.tables[0].name = "$PC";
    selection.computerName = "HOST";
    EXPECT_EQ("HOST", Expand("$TABLE", selection));
    // A replacement that completes a later macro with the text around it.
    selection.tables[0] = {"T", "VIEW"};
    EXPECT_EQ("VIEW", Expand("$$TABLEYPE", selection));
    selection.connection.Build(DatabaseKind::MySql, "dsn,db,u,p");
    EXPECT_EQ("$TABLE", Expand("$TA$SERVERBLE", selection));
}
