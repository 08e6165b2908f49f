// A table's definition written to a definition file on one kind and read back on another
// must give a statement that keeps the column's meaning: lengths, and above all the
// precision and scale of decimals, in every direction.
#include <gtest/gtest.h>

#include <string>

#include "schema/DefinitionFile.h"
#include "structure/CreateTableSql.h"

namespace {

const DatabaseKind kKinds[] = {DatabaseKind::Excel, DatabaseKind::Mdb, DatabaseKind::SqlServer,
                               DatabaseKind::MySql, DatabaseKind::Oracle, DatabaseKind::Postgres};

// The exact numeric each kind reports, as its definition view shows it.
DefinitionRow Decimal(DatabaseKind kind)
{
    static const char* const names[] = {"NUMBER", "DECIMAL", "numeric", "decimal", "NUMBER", "numeric"};
    DefinitionRow row = EmptyDefinitionRow();
    row[kDefName] = "金額";
    row[kDefAdoType] = "131";
    row[kDefTypeName] = names[static_cast<int>(kind)];
    row[kDefPrecision] = "15";
    row[kDefScale] = "2";
    row[kDefPrimaryKey] = "1";
    return row;
}

DefinitionRow Text(const char* number, const char* type, const char* size)
{
    DefinitionRow row = EmptyDefinitionRow();
    row[kDefName] = "名";
    row[kDefAdoType] = number;
    row[kDefTypeName] = type;
    row[kDefSize] = size;
    return row;
}

// definition → file text → rows read on target → the statement's column lines.
std::string Rebuilt(DatabaseKind source, DatabaseKind target, const DefinitionRows& definition)
{
    DefinitionFileTable table;
    if (!ReadDefinitionFileText(DefinitionFileText(source, "表", definition), target, table))
        return "unreadable";
    TableColumnRows rows;
    for (const DefinitionFileColumn& column : table.columns)
        rows.push_back(TableColumnRow{column.name, column.type, column.size, column.scale, column.key, "", ""});
    VornString text;
    BuildOutcome outcome = BuildCreateTable(DdlTarget{target, false}, table.tableName, rows, text);
    return outcome.Ok() ? text.Text() : outcome.message;
}

}  // namespace

TEST(TypeMapping, DecimalsKeepPrecisionAndScaleBetweenEveryPairOfKinds)
{
    static const char* const expected[] = {"", "DECIMAL(15,2)", "DECIMAL(15,2)", "decimal(15,2)", "NUMBER(15,2)",
                                           "numeric(15,2)"};
    for (DatabaseKind source : kKinds) {
        if (source == DatabaseKind::Excel)
            continue;   // a workbook keeps no precision to carry
        for (DatabaseKind target : kKinds) {
            if (target == DatabaseKind::Excel)
                continue;
            std::string statement = Rebuilt(source, target, {Decimal(source)});
            std::string column = std::string(" ") + (source == target ? "" : expected[static_cast<int>(target)]);
            if (source == target)
                column += std::string(Decimal(source)[kDefTypeName].Text()) + "(15,2)";
            EXPECT_NE(std::string::npos, statement.find(column)) << static_cast<int>(source) << "→"
                                                                 << static_cast<int>(target) << ": " << statement;
            EXPECT_NE(std::string::npos, statement.find(",primary key(")) << statement;
        }
    }
}

TEST(TypeMapping, CharacterLengthsSurviveAndLongTextBecomesEachKindsLongType)
{
    DefinitionRows postgres = {Text("200", "varchar", "40"), Text("201", "text", "8190")};
    EXPECT_EQ("create table `表` (\r\n\t`名` varchar(40)\r\n\t,`名` text\r\n)\r\n",
              Rebuilt(DatabaseKind::Postgres, DatabaseKind::MySql, postgres));
    EXPECT_EQ("create table \"表\" (\r\n\t\"名\" VARCHAR2(40)\r\n\t,\"名\" CLOB\r\n)\r\n",
              Rebuilt(DatabaseKind::Postgres, DatabaseKind::Oracle, postgres));
    DefinitionRows mysql = {Text("202", "varchar", "40"), Text("203", "longtext", "4294967295")};
    EXPECT_EQ("create table [表] (\r\n\t[名] NVARCHAR(40)\r\n\t,[名] NTEXT\r\n)\r\n",
              Rebuilt(DatabaseKind::MySql, DatabaseKind::SqlServer, mysql));
    // An Oracle national column is counted in characters in the file.
    EXPECT_EQ("create table \"表\" (\r\n\t\"名\" varchar(100)\r\n)\r\n",
              Rebuilt(DatabaseKind::Oracle, DatabaseKind::Postgres, {Text("130", "NVARCHAR2", "200")}));
    EXPECT_EQ("create table \"表\" (\r\n\t\"名\" NVARCHAR2(100)\r\n)\r\n",
              Rebuilt(DatabaseKind::Oracle, DatabaseKind::Oracle, {Text("130", "NVARCHAR2", "200")}));
    EXPECT_EQ("create table [表] (\r\n\t[名] TEXT\r\n)\r\n",
              Rebuilt(DatabaseKind::Mdb, DatabaseKind::SqlServer, {Text("130", "MEMO", "0")}));
}
