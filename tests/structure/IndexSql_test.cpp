#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DefinitionRowSupport.h"
#include "structure/IndexSql.h"

namespace {

IndexSchemaRow Schema(const char* index, const char* primary, const char* unique, const char* ordinal = "1",
                      const char* column = "c")
{
    IndexSchemaRow row;
    row.indexName = index;
    row.primaryKey = primary;
    row.unique = unique;
    row.ordinal = ordinal;
    row.columnName = column;
    return row;
}

IndexTarget Target(DatabaseKind kind, const char* table)
{
    IndexTarget target;
    target.kind = kind;
    target.table = table;
    return target;
}


std::vector<std::string> Texts(const std::vector<VornString>& texts)
{
    std::vector<std::string> out;
    for (const VornString& text : texts)
        out.push_back(text.Text());
    return out;
}

}  // namespace

TEST(IndexSchema, ACompositeIndexIsOneEntryAndItsColumnsKeepSchemaOrder)
{
    IndexSchemaRows rows = {Schema("売上明細_pkey", "-1", "-1", "1", "伝票番号"),
                            Schema("売上明細_pkey", "-1", "-1", "2", "行番号"),
                            Schema("", "0", "0"),
                            Schema("ix表", "0", "0", "1", "表示名"),
                            Schema("IX表", "0", "0", "2", "ソ"),
                            Schema("売上明細_pkey", "-1", "-1", "1", "伝票番号")};
    // A name differing only in case starts an index of its own; a name met again after
    // another starts a new entry, as the schema is walked in order.
    EXPECT_EQ((std::vector<size_t>{0, 3, 4, 5}), IndexStartRows(rows));
    EXPECT_TRUE(IndexStartRows({}).empty());

    IndexSchemaRows columns = ColumnsOfIndex(rows, "Ix表");
    ASSERT_EQ(2u, columns.size());
    EXPECT_STREQ("表示名", columns[0].columnName);
    EXPECT_STREQ("2", columns[1].ordinal);
    EXPECT_EQ(3u, ColumnsOfIndex(rows, "売上明細_PKEY").size());
    EXPECT_TRUE(ColumnsOfIndex(rows, "ix").empty());
}

TEST(IndexSchema, TypeMarksFollowEachKindsOwnSignOfAPrimaryKey)
{
    struct Case {
        DatabaseKind kind;
        IndexSchemaRow first;
        const char* constraint;
        const char* mark;
    };
    const Case cases[] = {
        {DatabaseKind::Mdb, Schema("PrimaryKey", "-1", "-1"), "", "P"},
        {DatabaseKind::Mdb, Schema("ix", "0", "-1"), "", "U"},
        {DatabaseKind::SqlServer, Schema("PK_t", "-1", "0"), "", "P"},
        {DatabaseKind::SqlServer, Schema("ix", "0", "0"), "P", ""},
        {DatabaseKind::MySql, Schema("primary", "0", "-1"), "", "P"},
        {DatabaseKind::MySql, Schema("ix", "-1", "-1"), "", "U"},
        {DatabaseKind::MySql, Schema("ix", "0", "0"), "", ""},
        {DatabaseKind::Oracle, Schema("SYS_C001", "0", "-1"), "P", "P"},
        {DatabaseKind::Oracle, Schema("IX", "-1", "-1"), "p", "U"},
        {DatabaseKind::Postgres, Schema("t_pkey", "0", "-1"), "p", "P"},
        {DatabaseKind::Postgres, Schema("t_uq", "-1", "-1"), "u", "U"},
        {DatabaseKind::Postgres, Schema("ix", "0", "0"), "P", ""},
        {DatabaseKind::Excel, Schema("ix", "-1", "-1"), "P", ""},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.mark, IndexTypeMark(c.kind, c.first, c.constraint))
            << static_cast<int>(c.kind) << " " << c.first.indexName.Text();
}

TEST(IndexSchema, LookupsAndRestrictionsQuoteTheirNames)
{
    EXPECT_STREQ("select * from USER_CONSTRAINTS where CONSTRAINT_NAME = 'O''NEIL_PK'",
                 ConstraintLookupText(DatabaseKind::Oracle, "O'NEIL_PK"));
    EXPECT_STREQ("select * from pg_constraint where conname = '表''ソ_pkey'",
                 ConstraintLookupText(DatabaseKind::Postgres, "表'ソ_pkey"));
    EXPECT_STREQ("", ConstraintLookupText(DatabaseKind::MySql, "PRIMARY"));

    EXPECT_EQ(3, ConstraintTypeColumn(DatabaseKind::Postgres, {"oid", "conname", "connamespace", "contype"}));
    EXPECT_EQ(2, ConstraintTypeColumn(DatabaseKind::Postgres, {"conname", "connamespace", "x"}));
    EXPECT_EQ(2, ConstraintTypeColumn(DatabaseKind::Oracle, {"OWNER", "CONSTRAINT_NAME", "CONSTRAINT_TYPE"}));
    EXPECT_EQ(0, ConstraintTypeColumn(DatabaseKind::Oracle, {"constraint_type"}));

    EXPECT_EQ((std::vector<std::string>{"", "SCOTT", "", "", "社員"}),
              Texts(IndexSchemaRestrictions(DatabaseKind::Oracle, "社員", "scott")));
    EXPECT_EQ((std::vector<std::string>{"", "", "", "", "社員"}),
              Texts(IndexSchemaRestrictions(DatabaseKind::Postgres, "社員", "kestrova")));
}

TEST(IndexStatements, CreateIndexHasTwoSpacesAroundUniqueAndEnclosesEveryName)
{
    EXPECT_STREQ("create  UNIQUE  index \"ix表\" on \"売上明細\" (\"伝票番号\",\"行番号\")",
                 CreateIndexText(Target(DatabaseKind::Postgres, "売上明細"), "ix表", true, {"伝票番号", "行番号"}));
    EXPECT_STREQ("create  index `ix` on `社員` (`氏名`)",
                 CreateIndexText(Target(DatabaseKind::MySql, "社員"), "ix", false, {"氏名"}));
    EXPECT_STREQ("create  index [ix] on [社員] ([ソ],[表])",
                 CreateIndexText(Target(DatabaseKind::SqlServer, "社員"), "[ix]", false, {"ソ", "表"}));
}

TEST(IndexStatements, APrimaryKeyWithoutANameHasNoConstraintClause)
{
    IndexTarget server = Target(DatabaseKind::SqlServer, "社員");
    EXPECT_STREQ("alter table [社員] add  primary key ([社員番号],[表])", PrimaryKeyText(server, "", {"社員番号", "表"}));
    EXPECT_STREQ("alter table [社員] add  primary key ([社員番号])", PrimaryKeyText(server, " 　", {"社員番号"}));
    EXPECT_STREQ("alter table \"T\" add  constraint \"pk_ソ\" primary key (\"a\")",
                 PrimaryKeyText(Target(DatabaseKind::Oracle, "T"), " pk_ソ ", {"a"}));
}

TEST(IndexStatements, SqlServerMakesEachKeyColumnNotNullWithItsTypeFirst)
{
    DefinitionRows columns = {DefinitionColumn("氏名", "202", "NVARCHAR", "40"),
                              DefinitionColumn("金額", "131", "NUMERIC", "", "10", "2"),
                              DefinitionColumn("率", "131", "DECIMAL", "", "5"),
                              DefinitionColumn("本文", "201", "VARCHAR", "8001"),
                              DefinitionColumn("番号", "3", "INT", " ")};
    EXPECT_EQ((std::vector<std::string>{
                  "alter table [社員] alter column [氏名] NVARCHAR(40) not null",
                  "alter table [社員] alter column [金額] NUMERIC(10,2) not null",
                  "alter table [社員] alter column [率] DECIMAL(5) not null",
                  "alter table [社員] alter column [本文] VARCHAR not null",
                  "alter table [社員] alter column [番号] INT not null",
              }),
              Texts(NotNullTexts(Target(DatabaseKind::SqlServer, "社員"), columns)));
    EXPECT_TRUE(NotNullTexts(Target(DatabaseKind::Postgres, "社員"), columns).empty());
    EXPECT_TRUE(NotNullTexts(Target(DatabaseKind::Mdb, "社員"), columns).empty());
}

TEST(IndexStatements, DropDependsOnKindAndMark)
{
    struct Case {
        DatabaseKind kind;
        const char* mark;
        const char* text;
    };
    const Case cases[] = {
        {DatabaseKind::Mdb, "P", "drop index [PrimaryKey] on [表]"},
        {DatabaseKind::Mdb, "U", "drop index [PrimaryKey] on [表]"},
        {DatabaseKind::MySql, "P", "drop index `PrimaryKey` on `表`"},
        {DatabaseKind::MySql, "", "drop index `PrimaryKey` on `表`"},
        {DatabaseKind::SqlServer, "P", "alter table [表] drop constraint [PrimaryKey]"},
        {DatabaseKind::SqlServer, "U", "drop index [表].[PrimaryKey]"},
        {DatabaseKind::Oracle, "P", "alter table \"表\" drop primary key"},
        {DatabaseKind::Oracle, "", "drop index \"PrimaryKey\""},
        {DatabaseKind::Postgres, "P", "alter table \"表\" drop constraint \"PrimaryKey\""},
        {DatabaseKind::Postgres, "U", "drop index \"PrimaryKey\""},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.text, DropIndexText(Target(c.kind, "表"), "PrimaryKey", c.mark));
    EXPECT_STREQ("drop index `PRIMARY` on `社員`", DropIndexText(Target(DatabaseKind::MySql, "社員"), "PRIMARY", "P"));
}

TEST(IndexColumns, AColumnMovesBackBeforeTheFirstLargerNumber)
{
    EXPECT_EQ(2u, ReturnPosition({1, 2, 5}, 3));
    EXPECT_EQ(0u, ReturnPosition({4, 5}, 1));
    EXPECT_EQ(2u, ReturnPosition({1, 2}, 3));
    EXPECT_EQ(0u, ReturnPosition({}, 3));
    // A list out of number order (after moves back) still takes the first larger one.
    EXPECT_EQ(1u, ReturnPosition({2, 7, 4}, 3));
}

TEST(IndexColumns, PreselectionFollowsTheSortPositions)
{
    EXPECT_EQ((std::vector<size_t>{3, 1, 2}), SortPreselection({"", "2", " 2", "1", ""}));
    EXPECT_TRUE(SortPreselection({"", " ", ""}).empty());
    EXPECT_TRUE(SortPreselection({}).empty());
}

TEST(IndexTexts, NoteAndCaptionsPerKind)
{
    EXPECT_STREQ("※ 主キー作成にインデックス名は必要ありません", IndexNote(DatabaseKind::MySql));
    EXPECT_STREQ("※ 主キー作成にインデックス名は必要ありませんが、指定するとその名前で作成されます",
                 IndexNote(DatabaseKind::Postgres));
    EXPECT_STREQ("インデックス メンテナンス ( 売上明細 )", IndexCaption("売上明細"));
    EXPECT_STREQ("【%d表】がクリップボードにコピーされました", CopiedCaption("%d表"));
}
