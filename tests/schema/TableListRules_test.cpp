#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SchemaTestSupport.h"
#include "common/SjisText.h"
#include "schema/TableListRules.h"

namespace {

// "name|type|col3|col4" of every row, with the number in front: " 1:name|..."
std::vector<std::string> Lines(const TableListRows& rows)
{
    std::vector<std::string> lines;
    for (const TableListRow& row : rows)
        lines.push_back(Str(row[kListNumber]) + ":" + Str(row[kListName]) + "|" +
                        Str(row[kListType]) + "|" + Str(row[kListCreated]) + "|" +
                        Str(row[kListModified]));
    return lines;
}

// An adSchemaTables record of the eight basic fields, or with the two dates after them.
CatalogRow SchemaTable(const char* schema, const char* name, const char* type,
                       bool withDates = false, const char* created = "2024/01/02 3:04:05",
                       const char* modified = nullptr)
{
    CatalogRow record = Record({{"TABLE_CATALOG", nullptr},
                                {"TABLE_SCHEMA", schema},
                                {"TABLE_NAME", name},
                                {"TABLE_TYPE", type},
                                {"TABLE_GUID", nullptr},
                                {"DESCRIPTION", nullptr},
                                {"TABLE_PROPID", nullptr},
                                {"DATE_CREATED", created}});
    if (withDates)
        record.Add("DATE_MODIFIED", modified ? modified : "", modified == nullptr);
    return record;
}

TableListOptions Options(DatabaseKind kind, const char* typeFilter = "")
{
    TableListOptions options;
    options.kind = kind;
    options.typeFilter = typeFilter;
    return options;
}

}  // namespace

TEST(TableListRules, HeadingsFollowTheReader)
{
    // "件数" and three ideographic spaces, written as bytes.
    const std::string count = "\x8c\x8f\x90\x94\x81\x40\x81\x40\x81\x40";
    for (DatabaseKind kind : {DatabaseKind::Excel, DatabaseKind::Mdb, DatabaseKind::SqlServer,
                              DatabaseKind::MySql, DatabaseKind::Oracle, DatabaseKind::Postgres}) {
        EXPECT_EQ("№", Str(TableListHeading(kind, kListNumber)));
        EXPECT_EQ("テーブル名", Str(TableListHeading(kind, kListName)));
        EXPECT_EQ("タイプ", Str(TableListHeading(kind, kListType)));
        EXPECT_EQ(count, Str(TableListHeading(kind, kListCount)));
    }
    EXPECT_EQ("作成|更新", Str(TableListHeading(DatabaseKind::Mdb, 3)) + "|" +
                               Str(TableListHeading(DatabaseKind::Mdb, 4)));
    EXPECT_EQ("作成|所有者", Str(TableListHeading(DatabaseKind::SqlServer, 3)) + "|" +
                                 Str(TableListHeading(DatabaseKind::SqlServer, 4)));
    EXPECT_EQ("スキーマ名|オーナー", Str(TableListHeading(DatabaseKind::Postgres, 3)) + "|" +
                                        Str(TableListHeading(DatabaseKind::Postgres, 4)));
    EXPECT_EQ("作成|更新", Str(TableListHeading(DatabaseKind::Oracle, 3)) + "|" +
                               Str(TableListHeading(DatabaseKind::Oracle, 4)));
}

TEST(TableListRules, MdbHidesSystemAndAccessTablesAndNumbersOnlyListedRows)
{
    TypesSeen seen;
    TableListBuilder builder(Options(DatabaseKind::Mdb), &seen);
    EXPECT_FALSE(builder.AddSchemaRecord(SchemaTable("", "MSysObjects", "SYSTEM TABLE")));
    EXPECT_TRUE(builder.AddSchemaRecord(SchemaTable("", "社員", "TABLE", true, "2024/01/02 3:04:05",
                                                    "2024/02/03 4:05:06")));
    EXPECT_FALSE(builder.AddSchemaRecord(SchemaTable("", "MSysAccessStorage", "ACCESS TABLE")));
    EXPECT_TRUE(builder.AddSchemaRecord(SchemaTable("", "社員一覧", "VIEW", true, nullptr, nullptr)));
    EXPECT_EQ((std::vector<std::string>{" 1:社員|TABLE|2024/01/02 3:04:05|2024/02/03 4:05:06",
                                        " 2:社員一覧|VIEW||"}),
              Lines(builder.Rows()));
    EXPECT_EQ(",TABLE,VIEW", Str(seen.Text()));
}

TEST(TableListRules, DatesAreReadOnlyFromRecordsOfMoreThanEightFields)
{
    TableListBuilder builder(Options(DatabaseKind::Excel), nullptr);
    builder.AddSchemaRecord(SchemaTable("", "範囲", "TABLE", false, "2024/01/02"));
    EXPECT_EQ(std::vector<std::string>{" 1:範囲|TABLE||"}, Lines(builder.Rows()));
}

TEST(TableListRules, ExcelHidesWorksheetTablesOnlyWhenAsked)
{
    TableListOptions options = Options(DatabaseKind::Excel);
    options.hideSheets = true;
    TableListBuilder hiding(options, nullptr);
    EXPECT_FALSE(hiding.AddSchemaRecord(SchemaTable("", "Sheet1$", "SYSTEM TABLE")));
    EXPECT_FALSE(hiding.AddSchemaRecord(SchemaTable("", "売上表$", "SYSTEM TABLE")));
    EXPECT_TRUE(hiding.AddSchemaRecord(SchemaTable("", "売上表", "TABLE")));
    EXPECT_TRUE(hiding.AddSchemaRecord(SchemaTable("", "Sheet1$Print_Area", "TABLE")));
    EXPECT_EQ((std::vector<std::string>{" 1:売上表|TABLE||", " 2:Sheet1$Print_Area|TABLE||"}),
              Lines(hiding.Rows()));

    TableListBuilder showing(Options(DatabaseKind::Excel), nullptr);
    EXPECT_TRUE(showing.AddSchemaRecord(SchemaTable("", "Sheet1$", "SYSTEM TABLE")));
}

TEST(TableListRules, SqlServerFlagsHideSystemObjectsAndColumnFourIsTheOwner)
{
    TableListOptions options = Options(DatabaseKind::SqlServer);
    options.noSystemView = true;
    TableListBuilder builder(options, nullptr);
    EXPECT_TRUE(builder.AddSchemaRecord(SchemaTable("dbo", "sysobjects", "SYSTEM TABLE")));
    EXPECT_FALSE(builder.AddSchemaRecord(SchemaTable("INFORMATION_SCHEMA", "TABLES", "SYSTEM VIEW")));
    EXPECT_TRUE(builder.AddSchemaRecord(
        SchemaTable("dbo", "売上明細", "TABLE", true, "2024/01/02", "2024/05/06")));

    options.noSystemTable = true;
    options.noSystemView = false;
    TableListBuilder other(options, nullptr);
    EXPECT_FALSE(other.AddSchemaRecord(SchemaTable("dbo", "sysobjects", "SYSTEM TABLE")));
    EXPECT_TRUE(other.AddSchemaRecord(SchemaTable("INFORMATION_SCHEMA", "TABLES", "SYSTEM VIEW")));

    // The owner comes from the second field and is not overwritten by DATE_MODIFIED.
    EXPECT_EQ((std::vector<std::string>{" 1:sysobjects|SYSTEM TABLE||dbo",
                                        " 2:売上明細|TABLE|2024/01/02|dbo"}),
              Lines(builder.Rows()));
    EXPECT_EQ(std::vector<std::string>{" 1:TABLES|SYSTEM VIEW||INFORMATION_SCHEMA"},
              Lines(other.Rows()));
}

TEST(TableListRules, TypeFilterListsOneTypeAndRecordsNoTypes)
{
    TypesSeen seen;
    TableListBuilder builder(Options(DatabaseKind::Mdb, "VIEW"), &seen);
    EXPECT_FALSE(builder.AddSchemaRecord(SchemaTable("", "社員", "TABLE")));
    EXPECT_TRUE(builder.AddSchemaRecord(SchemaTable("", "社員一覧", "VIEW")));
    EXPECT_FALSE(builder.AddSchemaRecord(SchemaTable("", "v", "view")));
    EXPECT_EQ(std::vector<std::string>{" 1:社員一覧|VIEW||"}, Lines(builder.Rows()));
    EXPECT_EQ("", Str(seen.Text()));
}

TEST(TableListRules, TypesSeenHoldEachWholeValueOnce)
{
    TypesSeen seen;
    for (const char* type : {"SYSTEM TABLE", "TABLE", "SYSTEM TABLE", "VIEW", "TABLE", "表ソ"})
        seen.Add(type);
    EXPECT_EQ(",SYSTEM TABLE,TABLE,VIEW,表ソ", Str(seen.Text()));
    std::vector<VornString> items = seen.Items();
    ASSERT_EQ(4u, items.size());
    EXPECT_EQ("SYSTEM TABLE", Str(items[0]));
    EXPECT_EQ("表ソ", Str(items[3]));
    seen.Clear();
    seen.Add("VIEW");
    EXPECT_EQ(",VIEW", Str(seen.Text()));
}

TEST(TableListRules, PostgresRunsTheStatementsTheFilterAsksFor)
{
    const std::string tables =
        "select * from pg_tables where schemaname != 'information_schema' order by schemaname desc";
    const std::string views =
        "select * from pg_views where schemaname != 'information_schema' order by schemaname desc";
    std::vector<PostgresListStep> all = PostgresListSteps("");
    ASSERT_EQ(2u, all.size());
    EXPECT_EQ(tables, Str(all[0].statement));
    EXPECT_EQ(views, Str(all[1].statement));

    std::vector<PostgresListStep> onlyViews = PostgresListSteps("VIEW");
    ASSERT_EQ(1u, onlyViews.size());
    EXPECT_EQ(PostgresCatalog::Views, onlyViews[0].catalog);
    EXPECT_EQ(views, Str(onlyViews[0].statement));

    ASSERT_EQ(1u, PostgresListSteps("TABLE").size());
    EXPECT_EQ(tables, Str(PostgresListSteps("TABLE")[0].statement));
    EXPECT_TRUE(PostgresListSteps("SYNONYM").empty());
}

TEST(TableListRules, PostgresNumbersAcrossBothCatalogsAndHidesPgCatalogWhenAsked)
{
    TableListOptions options = Options(DatabaseKind::Postgres);
    options.noSystemCatalog = true;
    TypesSeen seen;
    TableListBuilder builder(options, &seen);
    EXPECT_FALSE(builder.AddPostgresRecord(
        PostgresCatalog::Tables,
        Record({{"schemaname", "pg_catalog"}, {"tablename", "pg_class"}, {"tableowner", "postgres"}})));
    EXPECT_TRUE(builder.AddPostgresRecord(
        PostgresCatalog::Tables,
        Record({{"schemaname", "public"}, {"tablename", "売上明細"}, {"tableowner", "kestrova"}})));
    EXPECT_TRUE(builder.AddPostgresRecord(
        PostgresCatalog::Views,
        Record({{"schemaname", "public"}, {"viewname", "社員一覧"}, {"viewowner", "kestrova"},
                {"definition", "SELECT 1"}})));
    EXPECT_EQ((std::vector<std::string>{" 1:売上明細|TABLE|public|kestrova",
                                        " 2:社員一覧|VIEW|public|kestrova"}),
              Lines(builder.Rows()));
    EXPECT_EQ(",TABLE,VIEW", Str(seen.Text()));
}

TEST(TableListRules, PostgresViewFilterNumbersFromOne)
{
    TableListBuilder builder(Options(DatabaseKind::Postgres, "VIEW"), nullptr);
    for (const PostgresListStep& step : PostgresListSteps("VIEW"))
        builder.AddPostgresRecord(step.catalog, Record({{"schemaname", "pg_catalog"},
                                                        {"viewname", "pg_roles"},
                                                        {"viewowner", "postgres"}}));
    EXPECT_EQ(std::vector<std::string>{" 1:pg_roles|VIEW|pg_catalog|postgres"},
              Lines(builder.Rows()));
}

TEST(TableListRules, MySqlShowsTheEngineWhicheverNameTheServerGivesIt)
{
    EXPECT_EQ("SHOW TABLE STATUS", Str(TableListStatement(DatabaseKind::MySql)));
    CatalogRow current = Record({{"Name", "売上明細"}, {"Engine", "InnoDB"}, {"Version", "10"},
                                 {"Create_time", "2024/01/02 3:04:05"}, {"Update_time", nullptr}});
    CatalogRow old = Record({{"Name", "連番"}, {"Type", "MyISAM"},
                             {"Create_time", "2001/01/02"}, {"Update_time", "2001/03/04"}});
    EXPECT_EQ("Engine", Str(MySqlEngineFieldName(current)));
    EXPECT_EQ("Type", Str(MySqlEngineFieldName(old)));

    TypesSeen seen;
    TableListBuilder builder(Options(DatabaseKind::MySql), &seen);
    builder.AddMySqlRecord(current);
    builder.AddMySqlRecord(old);
    EXPECT_EQ((std::vector<std::string>{" 1:売上明細|InnoDB|2024/01/02 3:04:05|",
                                        " 2:連番|MyISAM|2001/01/02|2001/03/04"}),
              Lines(builder.Rows()));
    EXPECT_EQ(",InnoDB,MyISAM", Str(seen.Text()));

    TableListBuilder filtered(Options(DatabaseKind::MySql, "MyISAM"), nullptr);
    EXPECT_FALSE(filtered.AddMySqlRecord(current));
    EXPECT_TRUE(filtered.AddMySqlRecord(old));
}

TEST(TableListRules, OracleListsItsOwnObjectsWithTheirDates)
{
    EXPECT_EQ("select * from USER_OBJECTS where OBJECT_TYPE in ('SYNONYM','TABLE','VIEW') order by "
              "OBJECT_TYPE",
              Str(TableListStatement(DatabaseKind::Oracle)));
    TableListBuilder builder(Options(DatabaseKind::Oracle, "TABLE"), nullptr);
    EXPECT_FALSE(builder.AddOracleRecord(Record({{"OBJECT_NAME", "S"}, {"OBJECT_TYPE", "SYNONYM"}})));
    EXPECT_TRUE(builder.AddOracleRecord(Record({{"OBJECT_NAME", "EMP"},
                                                {"OBJECT_TYPE", "TABLE"},
                                                {"CREATED", "2020/01/01"},
                                                {"LAST_DDL_TIME", "2021/02/02"}})));
    EXPECT_EQ(std::vector<std::string>{" 1:EMP|TABLE|2020/01/01|2021/02/02"}, Lines(builder.Rows()));
}

TEST(TableListRules, RecordsCutToTheListedFieldsGiveTheSameRows)
{
    const std::vector<std::pair<DatabaseKind, CatalogRow>> records = {
        {DatabaseKind::Postgres, Record({{"schemaname", "public"}, {"tablename", "売上明細"},
                                         {"tableowner", "kestrova"}, {"tablespace", nullptr}})},
        {DatabaseKind::Postgres, Record({{"schemaname", "public"}, {"viewname", "社員一覧"},
                                         {"viewowner", "kestrova"}, {"definition", "SELECT 1"}})},
        {DatabaseKind::MySql, Record({{"Name", "売上明細"}, {"Engine", "InnoDB"}, {"Version", "10"},
                                      {"Create_time", "2024/01/02"}, {"Update_time", nullptr}})},
        {DatabaseKind::MySql, Record({{"name", "連番"}, {"Type", "MyISAM"}, {"Create_time", "2001/01/02"},
                                      {"Update_time", "2001/03/04"}})},
        {DatabaseKind::Oracle, Record({{"OBJECT_NAME", "EMP"}, {"STATUS", "VALID"}, {"OBJECT_TYPE", "TABLE"},
                                       {"CREATED", "2020/01/01"}, {"LAST_DDL_TIME", "2021/02/02"}})},
    };
    std::vector<std::string> lines[2];
    for (bool cut : {false, true})
        for (const auto& [kind, full] : records) {
            CatalogRow record;
            for (int i = 0; i < full.FieldCount(); ++i)
                for (const char* name : TableListFields(kind))
                    if (!cut || sjis::CompareIgnoreCase(full.NameAt(i), name) == 0) {
                        record.Add(full.NameAt(i), full.TextAt(i), full.IsNull(full.NameAt(i)));
                        break;
                    }
            TableListBuilder builder(Options(kind), nullptr);
            if (kind == DatabaseKind::Postgres)
                builder.AddPostgresRecord(record.Has("viewname") ? PostgresCatalog::Views : PostgresCatalog::Tables,
                                          record);
            else if (kind == DatabaseKind::MySql)
                builder.AddMySqlRecord(record);
            else
                builder.AddOracleRecord(record);
            for (const std::string& line : Lines(builder.Rows()))
                lines[cut].push_back(line);
        }
    EXPECT_EQ(5u, lines[0].size());
    EXPECT_EQ(lines[0], lines[1]);
    // OpenSchema records are read whole: the reader counts their fields and takes the second.
    EXPECT_TRUE(TableListFields(DatabaseKind::SqlServer).empty());
}

TEST(TableListRules, RowCountQuotesTheListedNameAndRightAlignsTheCount)
{
    TableListRow row(kListColumnCount);
    row[kListName] = "連番";
    EXPECT_EQ("select count(*) from `連番`", Str(RowCountStatement(DatabaseKind::MySql, row)));
    EXPECT_EQ("select count(*) from \"連番\"", Str(RowCountStatement(DatabaseKind::Postgres, row)));
    EXPECT_EQ("select count(*) from 連番", Str(RowCountStatement(DatabaseKind::Excel, row, true)));
    row[kListName] = "TABLES";
    row[kListModified] = "INFORMATION_SCHEMA";
    EXPECT_EQ("select count(*) from INFORMATION_SCHEMA.[TABLES]",
              Str(RowCountStatement(DatabaseKind::SqlServer, row)));

    EXPECT_EQ("     51", Str(FormatRowCount("51")));
    EXPECT_EQ("12345678", Str(FormatRowCount("12345678")));
}
