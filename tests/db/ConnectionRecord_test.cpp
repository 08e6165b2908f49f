#include <gtest/gtest.h>

#include "db/ConnectionRecord.h"

TEST(DatabaseKind, NamesAndTagsFollowTheStoredNumbers)
{
    EXPECT_STREQ("EXCEL", KindSectionName(DatabaseKind::Excel));
    EXPECT_STREQ("SQLServer", KindSectionName(KindFromNumber(2)));
    EXPECT_STREQ("Postgres", KindSectionName(KindFromNumber(5)));
    EXPECT_STREQ(" -- [SQLserver] -- ", KindTitleTag(DatabaseKind::SqlServer));
    EXPECT_EQ(DatabaseKind::None, KindFromNumber(6));
    EXPECT_EQ(DatabaseKind::None, KindFromNumber(-1));
    EXPECT_STREQ("", KindSectionName(DatabaseKind::None));
}

TEST(ConnectionRecord, ExcelStringsWithAndWithoutHeader)
{
    ConnectionRecord record;
    ASSERT_TRUE(record.Build(DatabaseKind::Excel, "C:\\データ\\表.xls"));
    EXPECT_STREQ("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\データ\\表.xls;"
                 "Extended Properties=\"Excel 8.0;\"",
                 record.connectionString.Text());
    EXPECT_STREQ("C:\\データ\\表.xls", record.filePath.Text());
    record.noHeader = true;
    record.Build(DatabaseKind::Excel, "b.xls");
    EXPECT_STREQ("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=b.xls;"
                 "Extended Properties=\"Excel 8.0;HDR=No\"",
                 record.connectionString.Text());
}

TEST(ConnectionRecord, MdbPasswordClauseOnlyWhenSet)
{
    ConnectionRecord record;
    record.user = "old";
    record.Build(DatabaseKind::Mdb, "C:\\a.mdb");
    EXPECT_STREQ("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\a.mdb;", record.connectionString.Text());
    EXPECT_STREQ("", record.user.Text());
    record.jetPassword = "secret";
    record.Build(DatabaseKind::Mdb, "C:\\a.mdb");
    EXPECT_STREQ("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\a.mdb;Jet OLEDB:Database Password=secret;",
                 record.connectionString.Text());
}

TEST(ConnectionRecord, ServerKindsSplitTheArgument)
{
    ConnectionRecord record;
    record.Build(DatabaseKind::SqlServer, "srv,売上,sa,pw");
    EXPECT_STREQ("Provider=SQLOLEDB;Data Source=srv;Initial Catalog=売上;User ID=sa;Password=pw;",
                 record.connectionString.Text());

    record.Build(DatabaseKind::MySql, "mydsn,,root,pw");
    EXPECT_STREQ("Provider=MSDASQL;DSN=mydsn;UID=root;PWD=pw;", record.connectionString.Text());
    EXPECT_STREQ("", record.database.Text());

    record.Build(DatabaseKind::Postgres, "pg,sample,u,p");
    EXPECT_STREQ("Provider=MSDASQL;DSN=pg;DATABASE=sample;UID=u;PWD=p;", record.connectionString.Text());
    EXPECT_STREQ("pg", record.server.Text());

    // Missing parts are empty, never a failure.
    record.Build(DatabaseKind::Postgres, "pg");
    EXPECT_STREQ("Provider=MSDASQL;DSN=pg;UID=;PWD=;", record.connectionString.Text());
}

TEST(ConnectionRecord, OracleUserIsUpperCasedOnlyInTheRecord)
{
    ConnectionRecord record;
    record.Build(DatabaseKind::Oracle, "orcl,scott,tiger");
    EXPECT_STREQ("Provider=MSDASQL;DSN=orcl;UID=scott;PWD=tiger;", record.connectionString.Text());
    EXPECT_STREQ("SCOTT", record.user.Text());
    EXPECT_STREQ("tiger", record.password.Text());
}

TEST(ConnectionRecord, UnknownKindChangesNothing)
{
    ConnectionRecord record;
    record.Build(DatabaseKind::MySql, "d,b,u,p");
    EXPECT_FALSE(record.Build(KindFromNumber(9), "x"));
    EXPECT_EQ(DatabaseKind::MySql, record.kind);
    EXPECT_STREQ("Provider=MSDASQL;DSN=d;DATABASE=b;UID=u;PWD=p;", record.connectionString.Text());
}

TEST(ConnectionRecord, SourceReferencesPerKind)
{
    ConnectionRecord record;
    record.Build(DatabaseKind::Mdb, "C:\\a.mdb");
    EXPECT_STREQ("[Database=C:\\a.mdb;].[表]", record.SourceReference("表").Text());
    record.Build(DatabaseKind::Excel, "C:\\b.xls");
    EXPECT_STREQ("[Excel 8.0;DATABASE=C:\\b.xls;].[Sheet1$]", record.SourceReference("Sheet1$").Text());
    record.Build(DatabaseKind::SqlServer, "s,d,u,p");
    EXPECT_STREQ("[odbc;Driver={SQL Server};Server=s;DATABASE=d;UID=u;PWD=p;].[t]",
                 record.SourceReference("t").Text());
    record.Build(DatabaseKind::MySql, "dsn,,u,p");
    EXPECT_STREQ("[odbc;DSN=dsn;UID=u;PWD=p;].[t]", record.SourceReference("t").Text());
    record.Build(DatabaseKind::Oracle, "o,scott,p");
    EXPECT_STREQ("[odbc;DSN=o;UID=SCOTT;PWD=p;].[t]", record.SourceReference("t").Text());
}

TEST(ConnectionRecord, DestinationStringsAndReferences)
{
    EXPECT_STREQ("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=x.xls;Extended Properties=\"Excel 8.0;\"",
                 DestinationConnectionString(DatabaseKind::Excel, "x.xls", "", "", "", "").Text());
    EXPECT_STREQ("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=x.mdb;",
                 DestinationConnectionString(DatabaseKind::Mdb, "x.mdb", "", "", "", "").Text());
    EXPECT_STREQ("Provider=MSDASQL;DSN=d;DATABASE=db;UID=u;PWD=p;",
                 DestinationConnectionString(DatabaseKind::Postgres, "", "d", "db", "u", "p").Text());
    EXPECT_STREQ("Provider=MSDASQL;DSN=d;UID=u;PWD=p;",
                 DestinationConnectionString(DatabaseKind::Oracle, "", "d", "db", "u", "p").Text());
    EXPECT_STREQ("[DATABASE=x.mdb;]",
                 DestinationReference(DatabaseKind::Mdb, "x.mdb", "", "", "", "").Text());
    EXPECT_STREQ("[odbc;DSN=d;DATABASE=db;UID=u;PWD=p;]",
                 DestinationReference(DatabaseKind::MySql, "", "d", "db", "u", "p").Text());
    EXPECT_STREQ("", DestinationReference(DatabaseKind::None, "", "", "", "", "").Text());
}

TEST(ConnectionRecord, OwnDatabaseHasOneBackslashBeforeTheFile)
{
    const char expected[] = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\表\\Kestrova.mdb;"
                            "Jet OLEDB:Database Password=FernoQuilt;";
    EXPECT_STREQ(expected, OwnDatabaseConnectionString("C:\\表").Text());
    EXPECT_STREQ(expected, OwnDatabaseConnectionString("C:\\表\\").Text());
}
