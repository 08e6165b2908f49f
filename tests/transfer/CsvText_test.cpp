#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "transfer/CsvText.h"
#include "transfer/LineReader.h"
#include "transfer/MySqlCsvSql.h"

using namespace transfer;

namespace {

std::vector<std::string> Split(const std::string& line, const char* delimiter = ",", bool removeEnclosing = false)
{
    CsvSplitOptions options;
    options.delimiter = delimiter;
    options.removeEnclosing = removeEnclosing;
    std::vector<std::string> fields;
    SplitCsvLine(line.data(), line.size(), options, fields);
    return fields;
}

using Fields = std::vector<std::string>;

CsvImportColumn Column(const char* name, const char* category) { return {name, category}; }

std::string Field(CsvValueKind kind, const char* text, const CsvExportOptions& options)
{
    std::string line;
    AppendCsvField(line, kind, text, std::strlen(text), options);
    return line;
}

}  // namespace

TEST(CsvText, LinesAreCutAtEveryDelimiterAndEnclosedFieldsHoldThem)
{
    EXPECT_EQ((Fields{"a", "", "c"}), Split("a,,c"));
    EXPECT_EQ((Fields{""}), Split(""));
    EXPECT_EQ((Fields{"\"a", "b\"", "x"}), Split("\"a,b\",x")) << "quotes mean nothing without the option";
    EXPECT_EQ((Fields{"a,b", "say \"hi\"", "", "z"}), Split("\"a,b\",\"say \"\"hi\"\"\",\"\",z", ",", true));
    // Enclosed fields that do not close properly stay as they stand.
    EXPECT_EQ((Fields{"\"ab", "c"}), Split("\"ab,c", ",", true));
    EXPECT_EQ((Fields{"\"a\"b", "c"}), Split("\"a\"b,c", ",", true));
    // A double-byte delimiter, and trail bytes equal to the delimiter, are whole characters.
    EXPECT_EQ((Fields{"表", "ソ\\"}), Split("表、ソ\\", "、"));
    EXPECT_EQ((Fields{"ソ表", "x"}), Split("ソ表\\x", "\\"));
    EXPECT_EQ((Fields{"①～㈱", "髙"}), Split("\"①～㈱\",髙", ",", true));

    std::string line = "a\\nb ソn \\\\n";
    ReplaceEscapedLineBreaks(line);
    EXPECT_EQ("a\r\nb ソn \\\r\n", line) << "ソ ends in 0x5C but is no backslash";
}

TEST(CsvText, ImportStatementsQuoteByCategoryAndNeverLetAFieldChangeThem)
{
    CsvInsertBuilder texts("\"表\"", {Column("\"a\"", "文字列"), Column("\"b\"", "文字列"), Column("\"c\"", "文字列"),
                                      Column("\"d\"", "文字列")});
    EXPECT_EQ("insert into \"表\" (\"a\",\"b\",\"c\",\"d\") values('a',null,'c',null)", texts.Statement({"a", "", "c"}));

    CsvInsertBuilder mixed("t", {Column("n", "数値"), Column("s", "文字列"), Column("d", "日付"), Column("b", "未定義")});
    EXPECT_EQ("insert into t (n,s,d,b) values(-12.5,'O''Brien ソ','2024/02/29',)",
              mixed.Statement({"-12.5", "O'Brien ソ", "2024/02/29", "0x1F"}))
        << "an undefined category writes nothing, so the line fails in the database";
    EXPECT_EQ("insert into t (n,s,d,b) values('1);drop table t;--',null,null,null)",
              mixed.Statement({"1);drop table t;--"}));
    CsvInsertBuilder mysql("t", {Column("s", "文字列")}, true);
    EXPECT_EQ("insert into t (s) values('ソ\\\\''')", mysql.Statement({"ソ\\'"}));
    std::string values;
    mixed.AppendValues({"1", "x"}, values);
    EXPECT_EQ("1,'x',null,null", values);
    EXPECT_EQ("insert into t (n,s,d,b) values", mixed.Prefix());
}

TEST(CsvText, ErrorEntriesStayThreeLinesThatImportAgain)
{
    EXPECT_EQ("a,'b\r\n;ERROR:  syntax error at or near \"b\" LINE 1: x\r\n;insert into t values('a',b)\r\n",
              CsvErrorEntry("a,'b", "ERROR:  syntax error at or near \"b\"\r\nLINE 1: x\n", "insert into t values('a',b)"));
    EXPECT_EQ("\r\n;\r\n;s\r\n", CsvErrorEntry("", "", "s"));
    EXPECT_STREQ("C:\\入力\\社員_ERR.csv", CsvErrorFilePath("\"C:\\入力\\社員.csv\""));
    EXPECT_STREQ("C:\\ソ\\a_ERR.csv", CsvErrorFilePath("C:\\ソ\\a"));
}

TEST(CsvText, ExportFieldsAreEnclosedAsChosenWithTheEnclosingDoubled)
{
    CsvExportOptions all;
    all.encloseAll = true;
    EXPECT_EQ("\"\"", Field(CsvValueKind::Null, "", all));
    EXPECT_EQ("\"12\"", Field(CsvValueKind::Number, "12", all));
    EXPECT_EQ("\"say \"\"hi\"\"\"", Field(CsvValueKind::Text, "say \"hi\"", all));

    CsvExportOptions text;
    text.encloseNonNumeric = true;
    text.enclosing = "'";
    EXPECT_EQ("12", Field(CsvValueKind::Number, "12", text));
    EXPECT_EQ("", Field(CsvValueKind::Null, "", text));
    EXPECT_EQ("", Field(CsvValueKind::Text, "", text)) << "an empty text is an empty field";
    EXPECT_EQ("'2024/02/29'", Field(CsvValueKind::Date, "2024/02/29", text));
    EXPECT_EQ(std::string("'") + std::string(3, '?') + "'", Field(CsvValueKind::Unconvertible, "", text));
    EXPECT_EQ("'O''Brien'", Field(CsvValueKind::Text, "O'Brien", text));

    CsvExportOptions breaks;
    breaks.escapeLineBreaks = true;
    EXPECT_EQ("a\\nb\\nc\\nd", Field(CsvValueKind::Text, "a\r\nb\rc\nd", breaks));
    breaks.removeLineBreaks = true;
    EXPECT_EQ("abcd", Field(CsvValueKind::Text, "a\r\nb\rc\nd", breaks)) << "removal comes first";
    EXPECT_EQ("1\r\n", Field(CsvValueKind::Number, "1\r\n", breaks)) << "only text is touched";
}

TEST(CsvText, LongLinesComeInPiecesOfWholeCharacters)
{
    std::string longLine(9998, 'x');
    longLine += "表表";                       // the first 表 would end at byte 10000
    const std::string exact(9999, 'y');
    const std::string path = ScratchPath("長い行.csv");
    WriteBytes(path, longLine + "\r\n" + exact + "\r\nlast\rcr\nlf\n\nno end");
    LineReader reader;
    ASSERT_TRUE(reader.Open(path.c_str()));
    std::vector<std::string> pieces;
    std::string piece;
    while (reader.Next(piece))
        pieces.push_back(piece);
    ASSERT_EQ(8u, pieces.size());
    EXPECT_EQ(std::string(9998, 'x'), pieces[0]);
    EXPECT_EQ("表表", pieces[1]);
    EXPECT_EQ(exact, pieces[2]) << "a line of exactly the limit is no extra empty line";
    EXPECT_EQ((std::vector<std::string>{"last", "cr", "lf", "", "no end"}),
              std::vector<std::string>(pieces.begin() + 3, pieces.end()));
    EXPECT_FALSE(LineReader().Open(ScratchPath("無い.csv").c_str()));
    RemoveFile(path);
}

TEST(CsvText, MySqlStatementsAreSpeltAsTheServerReadsThem)
{
    MySqlCsvFormat format;
    EXPECT_STREQ("load data infile 'C:\\\\ソ\\\\O''s.csv' replace  into table `表` fields terminated by ',' "
                 "lines terminated by '\\r\\n'",
                 MySqlLoadStatement("C:\\ソ\\O's.csv", true, "`表`", format));
    format.separator = MySqlCsvFormat::Separator::Tab;
    format.enclosing = MySqlCsvFormat::Enclosing::DoubleQuote;
    format.optionally = true;
    format.lineEnd = MySqlCsvFormat::LineEnd::Lf;
    EXPECT_STREQ("load data infile '/tmp/a.csv' ignore  into table t fields terminated by '\\t' optionally  "
                 "enclosed by '\"' lines terminated by '\\n'",
                 MySqlLoadStatement("'/tmp/a.csv'", false, "t", format));
    format.separator = MySqlCsvFormat::Separator::Other;
    format.otherSeparator = "  ; ";
    format.enclosing = MySqlCsvFormat::Enclosing::Other;
    format.otherEnclosing = "'";
    format.optionally = false;
    format.lineEnd = MySqlCsvFormat::LineEnd::Other;
    format.otherLineEnd = "\\r";
    EXPECT_STREQ(" fields terminated by ';' enclosed by '''' lines terminated by '\\r'", MySqlFormatClauses(format));
    format.lineEnd = MySqlCsvFormat::LineEnd::Cr;
    format.otherSeparator = "";
    EXPECT_STREQ(" fields terminated by ',' enclosed by '''' lines terminated by '\\r'", MySqlFormatClauses(format));

    EXPECT_STREQ("C:\\出力\\表.csv", MySqlOutfilePath("C:\\出力", "表"));
    EXPECT_STREQ("C:\\出力\\表.csv", MySqlOutfilePath("C:\\出力\\", "表"));
    EXPECT_STREQ("/var/tmp/表.csv", MySqlOutfilePath("/var/tmp", "表"));
    EXPECT_STREQ("表.csv", MySqlOutfilePath("", "表"));
    EXPECT_STREQ("select * from `表` into outfile 'C:\\\\出力\\\\表.csv' fields terminated by ',' enclosed by '''' "
                 "lines terminated by '\\r'",
                 MySqlOutfileStatement("`表`", "C:\\出力\\表.csv", format));
}
