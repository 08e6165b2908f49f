#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "transfer/StatementFile.h"

using namespace transfer;

namespace {

std::vector<std::string> Collect(const std::vector<const char*>& lines)
{
    StatementCollector collector;
    std::vector<VornString> statements;
    for (const char* line : lines)
        collector.AddLine(line, statements);
    collector.Finish(statements);
    std::vector<std::string> texts;
    for (const VornString& statement : statements)
        texts.push_back(statement.Text());
    return texts;
}

}  // namespace

TEST(StatementFile, LinesAreCutIntoStatementsAtSemicolons)
{
    EXPECT_EQ((std::vector<std::string>{"create table t (\n a int\n)", "insert into t values(1)",
                                        "insert into t\nvalues(2)"}),
              Collect({"-- 表定義", "create table t (", " a int", ")", ";", "insert into t values(1);insert into t",
                       "-- a comment line inside a statement is skipped", "values(2)"}));
    // The last statement needs no ";"; empty pieces and blank lines run nothing.
    EXPECT_EQ((std::vector<std::string>{"select 1", "drop table t"}),
              Collect({"select 1;;", "  ", "\t;", "drop table t  "}));
    // Quotes are not parsed: the ";" inside a literal ends the statement there.
    EXPECT_EQ((std::vector<std::string>{"insert into t values('a", "b')"}), Collect({"insert into t values('a;b');"}));
    // Double-byte text whose trail byte is "\" or a letter stays whole.
    EXPECT_EQ((std::vector<std::string>{"insert into 表 values('ソ\\表')"}), Collect({"insert into 表 values('ソ\\表');"}));
    EXPECT_TRUE(Collect({"-- only comments", "--;"}).empty());
    EXPECT_TRUE(Collect({}).empty());
}

TEST(StatementFile, ErrorFileAndErrorLines)
{
    EXPECT_STREQ("C:\\出力\\社員.err", StatementErrorFilePath("\"C:\\出力\\社員.sql\""));
    EXPECT_STREQ("C:\\v1.0\\ソ.err", StatementErrorFilePath("C:\\v1.0\\ソ"));
    EXPECT_STREQ("ERROR: syntax error  at character 8 ", StatementErrorLine("ERROR: syntax error\r\n at character 8\n"));
}
