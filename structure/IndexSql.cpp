#include "IndexSql.h"

#include <algorithm>

#include "../schema/NameQuoting.h"

namespace {

const char kTrue[] = "-1";

VornString Enclosed(const IndexTarget& target, const char* name)
{
    return EncloseName(target.kind, name, target.excelThroughDsn);
}

VornString JoinedColumns(const IndexTarget& target, const std::vector<VornString>& columns)
{
    VornString joined;
    for (size_t i = 0; i < columns.size(); ++i) {
        if (i > 0)
            joined.Append(",");
        joined.Append(Enclosed(target, columns[i]));
    }
    return joined;
}

VornString Trimmed(const char* text)
{
    VornString result(text ? text : "");
    result.TrimBlanks();
    return result;
}

}  // namespace

std::vector<VornString> IndexSchemaRestrictions(DatabaseKind kind, const char* table, const char* user)
{
    VornString schema;
    if (kind == DatabaseKind::Oracle) {
        schema = user ? user : "";
        schema.UpperCase();
    }
    return {VornString(""), schema, VornString(""), VornString(""), VornString(table ? table : "")};
}

std::vector<size_t> IndexStartRows(const IndexSchemaRows& rows)
{
    std::vector<size_t> starts;
    for (size_t i = 0; i < rows.size(); ++i) {
        const VornString& name = rows[i].indexName;
        if (!name.IsEmpty() && (i == 0 || name.IsDifferent(rows[i - 1].indexName)))
            starts.push_back(i);
    }
    return starts;
}

IndexSchemaRows ColumnsOfIndex(const IndexSchemaRows& rows, const char* indexName)
{
    IndexSchemaRows columns;
    for (const IndexSchemaRow& row : rows)
        if (row.indexName.EqualsIgnoreCase(indexName ? indexName : ""))
            columns.push_back(row);
    return columns;
}

VornString ConstraintLookupText(DatabaseKind kind, const char* indexName)
{
    VornString text;
    if (kind == DatabaseKind::Oracle)
        text = "select * from USER_CONSTRAINTS where CONSTRAINT_NAME = '";
    else if (kind == DatabaseKind::Postgres)
        text = "select * from pg_constraint where conname = '";
    else
        return text;
    text.Append(NameInLiteral(indexName));
    text.Append("'");
    return text;
}

int ConstraintTypeColumn(DatabaseKind kind, const std::vector<VornString>& headings)
{
    const char* heading = kind == DatabaseKind::Oracle ? "CONSTRAINT_TYPE" : "contype";
    for (size_t i = 0; i < headings.size(); ++i)
        if (headings[i].EqualsIgnoreCase(heading))
            return static_cast<int>(i);
    return 2;
}

const char* IndexTypeMark(DatabaseKind kind, const IndexSchemaRow& first, const char* constraintType)
{
    VornString constraint(constraintType ? constraintType : "");
    bool primary = false;
    switch (kind) {
    case DatabaseKind::Mdb:
    case DatabaseKind::SqlServer:
        primary = first.primaryKey.Equals(kTrue);
        break;
    case DatabaseKind::MySql:
        primary = first.indexName.EqualsIgnoreCase("PRIMARY");
        break;
    case DatabaseKind::Oracle:
        primary = constraint.Equals("P");
        break;
    case DatabaseKind::Postgres:
        primary = constraint.Equals("p");
        break;
    default:
        return "";
    }
    if (primary)
        return "P";
    return first.unique.Equals(kTrue) ? "U" : "";
}

VornString CreateIndexText(const IndexTarget& target, const char* indexName, bool unique,
                           const std::vector<VornString>& columns)
{
    VornString text("create ");
    if (unique)
        text.Append(" UNIQUE ");
    text.Append(" index ");
    text.Append(Enclosed(target, indexName));
    text.Append(" on ");
    text.Append(Enclosed(target, target.table));
    text.Append(" (");
    text.Append(JoinedColumns(target, columns));
    text.Append(")");
    return text;
}

VornString PrimaryKeyText(const IndexTarget& target, const char* constraintName,
                          const std::vector<VornString>& columns)
{
    VornString text("alter table ");
    text.Append(Enclosed(target, target.table));
    text.Append(" add ");
    VornString name = Trimmed(constraintName);
    if (!name.IsEmpty()) {
        text.Append(" constraint ");
        text.Append(Enclosed(target, name));
    }
    text.Append(" primary key ");
    text.Append("(");
    text.Append(JoinedColumns(target, columns));
    text.Append(")");
    return text;
}

std::vector<VornString> NotNullTexts(const IndexTarget& target, const DefinitionRows& columns)
{
    std::vector<VornString> texts;
    if (target.kind != DatabaseKind::SqlServer)
        return texts;
    for (const DefinitionRow& column : columns) {
        VornString text("alter table ");
        text.Append(Enclosed(target, target.table));
        text.Append(" alter column ");
        text.Append(Enclosed(target, column[kDefName]));
        text.Append(" ");
        text.Append(column[kDefTypeName]);
        VornString size = Trimmed(column[kDefSize]);
        if (!size.IsEmpty() && size.ToInteger() < 8001) {
            text.Append("(");
            text.Append(size);
            text.Append(")");
        }
        VornString precision = Trimmed(column[kDefPrecision]);
        VornString scale = Trimmed(column[kDefScale]);
        if (Trimmed(column[kDefAdoType]).ToInteger() == 131 && !precision.IsEmpty()) {
            text.Append("(");
            text.Append(precision);
            if (!scale.IsEmpty()) {
                text.Append(",");
                text.Append(scale);
            }
            text.Append(")");
        }
        text.Append(" not null");
        texts.push_back(text);
    }
    return texts;
}

VornString DropIndexText(const IndexTarget& target, const char* indexName, const char* mark)
{
    const bool primary = VornString(mark ? mark : "").Equals("P");
    const VornString table = Enclosed(target, target.table);
    const VornString name = Enclosed(target, indexName);
    VornString text;
    switch (target.kind) {
    case DatabaseKind::SqlServer:
    case DatabaseKind::Postgres:
        if (primary) {
            text = "alter table ";
            text.Append(table);
            text.Append(" drop constraint ");
            text.Append(name);
        } else if (target.kind == DatabaseKind::SqlServer) {
            text = "drop index ";
            text.Append(table);
            text.Append(".");
            text.Append(name);
        } else {
            text = "drop index ";
            text.Append(name);
        }
        break;
    case DatabaseKind::Oracle:
        if (primary) {
            text = "alter table ";
            text.Append(table);
            text.Append(" drop primary key");
        } else {
            text = "drop index ";
            text.Append(name);
        }
        break;
    default:
        text = "drop index ";
        text.Append(name);
        text.Append(" on ");
        text.Append(table);
        break;
    }
    return text;
}

size_t ReturnPosition(const std::vector<long>& numbers, long number)
{
    for (size_t i = 0; i < numbers.size(); ++i)
        if (numbers[i] > number)
            return i;
    return numbers.size();
}

std::vector<size_t> SortPreselection(const std::vector<VornString>& sortPositions)
{
    struct Sorted {
        size_t row;
        long position;
    };
    std::vector<Sorted> sorted;
    for (size_t row = 0; row < sortPositions.size(); ++row) {
        VornString position = Trimmed(sortPositions[row]);
        if (!position.IsEmpty())
            sorted.push_back({row, position.ToInteger()});
    }
    std::stable_sort(sorted.begin(), sorted.end(), [](const Sorted& a, const Sorted& b) { return a.position < b.position; });
    std::vector<size_t> rows;
    for (const Sorted& each : sorted)
        rows.push_back(each.row);
    return rows;
}

const char* IndexNote(DatabaseKind kind)
{
    if (kind == DatabaseKind::MySql)
        return "※ 主キー作成にインデックス名は必要ありません";
    return "※ 主キー作成にインデックス名は必要ありませんが、指定するとその名前で作成されます";
}

VornString IndexCaption(const char* table)
{
    VornString caption("インデックス メンテナンス ( ");
    caption.Append(table ? table : "");
    caption.Append(" )");
    return caption;
}

VornString CopiedCaption(const char* name)
{
    VornString caption("【");
    caption.Append(name ? name : "");
    caption.Append("】がクリップボードにコピーされました");
    return caption;
}
