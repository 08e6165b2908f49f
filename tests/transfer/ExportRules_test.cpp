#include <gtest/gtest.h>

#include "transfer/ExportRules.h"

using namespace transfer;

TEST(ExportRules, CaptionsAndPrefixesPerDestination)
{
    const char* captions[] = {"EXCEL エクスポート", "MDB エクスポート", "SQLServer エクスポート",
                              "MySQL エクスポート", "Oracle エクスポート", "Postgres エクスポート"};
    for (int kind = 0; kind < 6; ++kind) {
        DatabaseKind destination = static_cast<DatabaseKind>(kind);
        EXPECT_STREQ(captions[kind], ExportDialogCaption(destination).Text());
        EXPECT_STREQ(destination == DatabaseKind::Postgres ? "EXP-" : "EXP_", DefaultExportPrefix(destination));
    }
}

TEST(ExportRules, TheFileRouteDecidesTheOtherOptions)
{
    ExportOptions mdb = InitialExportOptions(DatabaseKind::Mdb, false);
    EXPECT_FALSE(mdb.createByProgram.checked);
    EXPECT_TRUE(mdb.createByProgram.enabled);
    EXPECT_TRUE(mdb.addKey.enabled);
    EXPECT_FALSE(mdb.fileOnly.enabled);
    SetViaFile(mdb, true);
    EXPECT_TRUE(mdb.createByProgram.checked);
    EXPECT_FALSE(mdb.createByProgram.enabled);
    EXPECT_TRUE(mdb.fileOnly.enabled);
    mdb.fileOnly.checked = true;
    SetViaFile(mdb, false);
    EXPECT_FALSE(mdb.createByProgram.checked);
    EXPECT_TRUE(mdb.createByProgram.enabled);
    EXPECT_FALSE(mdb.fileOnly.checked);
    EXPECT_FALSE(mdb.fileOnly.enabled);

    EXPECT_FALSE(InitialExportOptions(DatabaseKind::Excel, false).addKey.enabled);
    for (DatabaseKind fixed : {DatabaseKind::Oracle, DatabaseKind::Postgres}) {
        ExportOptions options = InitialExportOptions(fixed, false);
        EXPECT_TRUE(options.createByProgram.checked);
        EXPECT_FALSE(options.createByProgram.enabled);
        SetViaFile(options, true);
        SetViaFile(options, false);
        EXPECT_TRUE(options.createByProgram.checked) << static_cast<int>(fixed);
        EXPECT_FALSE(options.createByProgram.enabled);
    }
    ExportOptions view = InitialExportOptions(DatabaseKind::MySql, true);
    EXPECT_FALSE(view.createByProgram.enabled || view.addKey.enabled || view.viaFile.enabled ||
                 view.fileOnly.enabled);
}

TEST(ExportRules, TargetNamesAndChecks)
{
    EXPECT_STREQ("EXP_T", ExportTargetName(false, "T", true, "EXP_").Text());
    EXPECT_STREQ("T", ExportTargetName(false, "T", false, "EXP_").Text());
    EXPECT_STREQ("新表", ExportTargetName(true, "T", true, "新表").Text());
    EXPECT_STREQ("T", ExportTargetName(true, "T", false, "新表").Text());

    EXPECT_STREQ("出力先の Excel のパスを指定して下さい　　", CheckFileDestination(DatabaseKind::Excel, " 　"));
    EXPECT_STREQ("出力先の MDB のパスを指定して下さい　　", CheckFileDestination(DatabaseKind::Mdb, ""));
    EXPECT_EQ(nullptr, CheckFileDestination(DatabaseKind::Mdb, "a.mdb"));
    EXPECT_STREQ("サーバーを入力して下さい　　", CheckServerDestination(DatabaseKind::SqlServer, "", "d", "u"));
    EXPECT_STREQ("データベースを入力して下さい　　", CheckServerDestination(DatabaseKind::SqlServer, "s", "", "u"));
    EXPECT_STREQ("DSN を入力して下さい　　", CheckServerDestination(DatabaseKind::MySql, "", "d", "u"));
    EXPECT_EQ(nullptr, CheckServerDestination(DatabaseKind::MySql, "dsn", "", "u"));
    EXPECT_STREQ("ユーザーを入力して下さい　　", CheckServerDestination(DatabaseKind::Oracle, "dsn", "", "　"));
}

TEST(ExportRules, CreateTableTakesTheMappedPrecisionAndTheKeyOnlyWhenAsked)
{
    DefinitionRow id = EmptyDefinitionRow();
    id[kDefName] = "社員番号";
    id[kDefAdoType] = "3";
    id[kDefTypeName] = "int";
    id[kDefPrimaryKey] = "1";
    DefinitionRow pay = EmptyDefinitionRow();
    pay[kDefName] = "給与";
    pay[kDefAdoType] = "131";
    pay[kDefTypeName] = "numeric";
    pay[kDefSize] = "10";      // the mapping's precision
    pay[kDefPrecision] = "2";  // and scale
    pay[kDefScale] = "2";
    DefinitionRows rows{id, pay};
    EXPECT_STREQ("create table \"EXP-T\" (\r\n\t\"社員番号\" int\r\n\t,\"給与\" numeric(10,2)"
                 "\r\n\t,primary key(\"社員番号\")\r\n)\r\n",
                 ExportCreateTable(DatabaseKind::Postgres, "EXP-T", rows, true).Text());
    EXPECT_STREQ("create table `T` (\r\n\t`社員番号` int\r\n\t,`給与` numeric(10,2)\r\n)\r\n",
                 ExportCreateTable(DatabaseKind::MySql, "T", rows, false).Text());
    EXPECT_STREQ("a, b = 'x'", DataViewClause(DatabaseKind::MySql, "\"a\", b = 'x'").Text());
    EXPECT_STREQ("\"a\"", DataViewClause(DatabaseKind::Postgres, "\"a\"").Text());
    EXPECT_STREQ("\"a\"", DataViewClause(DatabaseKind::Oracle, "\"a\"").Text());
}
