#include "db/ConnectionRecord.h"
#include "db/ConnectionStringTranslation.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Translated(const char* ado)
{
    VornString odbc;
    EXPECT_TRUE(TranslateConnectionString(ado, odbc)) << ado;
    return odbc.Text();
}

std::string Built(DatabaseKind kind, const char* argument, const char* jetPassword = "", bool noHeader = false)
{
    ConnectionRecord record;
    record.jetPassword = jetPassword;
    record.noHeader = noHeader;
    record.Build(kind, argument);
    return Translated(record.connectionString);
}

}  // namespace

TEST(ConnectionStringTranslation, EveryKindsBuiltStringBecomesItsOdbcString)
{
    EXPECT_EQ("DRIVER={Microsoft Excel Driver (*.xls)};DBQ=C:\\表\\売上.xls;FirstRowHasNames=0;",
              Built(DatabaseKind::Excel, "C:\\表\\売上.xls", "", true));
    EXPECT_EQ("DRIVER={Microsoft Excel Driver (*.xls)};DBQ=C:\\data\\book.xls;FirstRowHasNames=1;",
              Built(DatabaseKind::Excel, "C:\\data\\book.xls"));
    EXPECT_EQ("DRIVER={Microsoft Access Driver (*.mdb)};DBQ=C:\\ソ\\a.mdb;",
              Built(DatabaseKind::Mdb, "C:\\ソ\\a.mdb"));
    EXPECT_EQ("DRIVER={Microsoft Access Driver (*.mdb)};DBQ=C:\\a.mdb;PWD=secret;",
              Built(DatabaseKind::Mdb, "C:\\a.mdb", "secret"));
    EXPECT_EQ("DRIVER={SQL Server};SERVER=srv;DATABASE=売上;UID=sa;PWD=pw;",
              Built(DatabaseKind::SqlServer, "srv,売上,sa,pw"));
    EXPECT_EQ("DSN=KestrovaMy;DATABASE=sample;UID=kestrova;PWD=kestrova;",
              Built(DatabaseKind::MySql, "KestrovaMy,sample,kestrova,kestrova"));
    EXPECT_EQ("DSN=KestrovaMy;UID=u;PWD=p;", Built(DatabaseKind::MySql, "KestrovaMy,,u,p"));
    EXPECT_EQ("DSN=ORA;UID=scott;PWD=tiger;", Built(DatabaseKind::Oracle, "ORA,scott,tiger"));
    EXPECT_EQ("DSN=KestrovaPg;DATABASE=sample;UID=kestrova;PWD=kestrova;",
              Built(DatabaseKind::Postgres, "KestrovaPg,sample,kestrova,kestrova"));
}

TEST(ConnectionStringTranslation, ProgramsOwnDatabaseCarriesItsJetPassword)
{
    EXPECT_EQ("DRIVER={Microsoft Access Driver (*.mdb)};DBQ=C:\\Kestrova\\Kestrova.mdb;PWD=FernoQuilt;",
              Translated(OwnDatabaseConnectionString("C:\\Kestrova\\")));
}

TEST(ConnectionStringTranslation, KeysIgnoreCaseAndValuesWithSemicolonsGetBraces)
{
    EXPECT_EQ("DRIVER={Microsoft Excel Driver (*.xls)};DBQ=x.xls;FirstRowHasNames=0;",
              Translated("provider=microsoft.jet.oledb.4.0;data source=x.xls;extended properties=\"Excel 8.0; hdr=no\""));
    EXPECT_EQ("DSN=a;PWD={p;w};", Translated("Provider=MSDASQL;DSN=a;PWD=\"p;w\";"));
    EXPECT_EQ("DSN=a;UID=u;", Translated("DSN=a;UID=u;"));
}

TEST(ConnectionStringTranslation, ProviderWithoutOdbcCounterpartIsRefused)
{
    VornString odbc("left over");
    EXPECT_FALSE(TranslateConnectionString("Provider=OraOLEDB.Oracle;Data Source=x;", odbc));
    EXPECT_TRUE(odbc.IsEmpty());
}
