// The Database object against the project's sample databases (PostgreSQL and MariaDB
// through their DSNs): text with double-byte characters, an apostrophe and a NULL there and
// back, walking rows, list text, SQL script files and every failure a script can meet.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "ScriptRun.h"
#include "TestSupport.h"

namespace {

using namespace vornscript;

const char kText[] = "①～㈱髙表ソ";

Results RunAgainst(const char* kind, const char* target)
{
    std::string folder = ScratchPath("database");
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteBytes(folder + "\\script.sql",
               "-- rows for the walk; a comment's ; is no statement end\n"
               "insert into vorn_rows (id, name) values (10, 'a'); insert into vorn_rows (id, name)\n"
               "  values (11, '表');\n"
               "insert into no_such_table (id) values (1);\n"
               "\n"
               "insert into vorn_rows (id, name) values (12, 'z')\n");
    WriteBytes(folder + "\\clean.sql", "delete from vorn_rows where id >= 10;");
    RemoveFile(folder + "\\script.log");
    RemoveFile(folder + "\\missing.log");
    Results r = RunScript("Database.vbs", std::string(kind) + "|" + target + "|" + kText + "|" + folder);
    for (auto& entry : r)
        std::printf("%s = %s\n", entry.first.c_str(), entry.second.c_str());
    std::printf("log = [%s]\n", ReadBytes(folder + "\\script.log").c_str());
    std::printf("missing log = [%s]\n", ReadBytes(folder + "\\missing.log").c_str());
    return r;
}

TEST(DatabaseObject, PostgreSql) { RunAgainst("5", "KestrovaPg,sample,kestrova,kestrova"); }
TEST(DatabaseObject, MariaDb) { RunAgainst("3", "KestrovaMy,sample,kestrova,kestrova"); }

}  // namespace
