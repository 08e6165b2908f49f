#include "RowAssistSql.h"

#include <initializer_list>

#include "../common/SjisText.h"
#include "../db/TypeCatalogue.h"
#include "../schema/NameQuoting.h"

const char kAssistFreeInput[] = "フリー入力";

namespace {

const char kString[] = "文字列";
const char kDate[] = "日付";
const char kQuotedCategories[] = "文字列,日付";

const char kFreeInputNeedsData[] = "フリー入力でデータ入力は必須です　　";
const char kNoColumn[] = "少なくとも一つの列を指定して下さい　　";
const char kNoCondition[] = "少なくとも一つの条件を指定して下さい　　";

const char* Cell(const DefinitionRow& row, size_t column)
{
    return column < row.size() ? row[column].Text() : "";
}

bool IsBinaryAdoType(const char* numberText)
{
    VornString number(numberText);
    number.TrimBlanks();
    return number.IsMemberOf("128,204,205");
}

bool IsJet(DatabaseKind kind) { return kind == DatabaseKind::Excel || kind == DatabaseKind::Mdb; }

bool EnclosedIn(const char* text, char c)
{
    return text[0] == c && text[1] != '\0' && sjis::EndsWithChar(text + 1, c);
}

// An apostrophe followed by another is an escaped one and stays; a lone one is doubled.
VornString DoubleLoneApostrophes(const char* text)
{
    VornString result;
    const char* run = text;
    for (const char* p = text; *p;) {
        if (*p != '\'') {
            p += sjis::CharLength(p);
            continue;
        }
        if (p[1] == '\'') {
            p += 2;
            continue;
        }
        result.Append(run, static_cast<size_t>(p - run) + 1);
        result.Append('\'');
        run = ++p;
    }
    result.Append(run);
    return result;
}

// Values are appended, never formatted: a typed value may be longer than any format buffer.
VornString Joined(std::initializer_list<const char*> pieces)
{
    VornString text;
    for (const char* piece : pieces)
        text.Append(piece);
    return text;
}

VornString OracleDateIfDate(DatabaseKind kind, const AssistRow& row, VornString literal)
{
    if (kind == DatabaseKind::Oracle && row.category.Equals(kDate))
        return OracleDateLiteral(literal);
    return literal;
}

// A value after an ordinary operator: Jet dates between "#", other quoted categories
// between apostrophes, each only when not so enclosed already.
VornString ConditionLiteral(DatabaseKind kind, const AssistRow& row)
{
    const char* value = row.value.Text();
    if (!row.category.IsMemberOf(kQuotedCategories))
        return VornString(value);
    if (IsJet(kind) && row.category.Equals(kDate)) {
        return EnclosedIn(value, '#') ? VornString(value) : Joined({"#", value, "#"});
    }
    return OracleDateIfDate(kind, row, QuotedLiteral(value));
}

// The prefix "\t" for the first item of a list and "\r\n\t," for the others.
void AppendListItem(VornString& text, bool first, const char* item)
{
    text.Append(first ? "\t" : "\r\n\t,");
    text.Append(item);
}

VornString DoubleEveryApostrophe(const VornString& text)
{
    VornString doubled(text);
    doubled.ReplaceAll("'", "''");
    return doubled;
}

AssistRow* FindRow(AssistRows& rows, const char* name)
{
    for (AssistRow& row : rows)
        if (sjis::CompareIgnoreCase(row.name.Text(), name) == 0)
            return &row;
    return nullptr;
}

bool IsKeyColumn(const std::vector<VornString>& keyColumns, const char* name)
{
    for (const VornString& key : keyColumns)
        if (sjis::CompareIgnoreCase(key.Text(), name) == 0)
            return true;
    return false;
}

}  // namespace

std::vector<AssistColumnSpec> AssistColumns(RowAssistKind kind)
{
    if (kind == RowAssistKind::Insert)
        return {{"№", 30}, {"列名　　　　　　　　　　　　　　　", 150}, {"型", 100}, {"選択オプション", 100},
                {"データ", 400}};
    return {{"№", 30},  {"列名", 150}, {"型", 100}, {"選択オプション", 100},
            {"データ", 200}, {"条件", 100}, {"値", 200}};
}

const char* AssistTabSkipList(RowAssistKind kind)
{
    return kind == RowAssistKind::Insert ? "0,1,2,3" : "0,1,2,3,5";
}

const char* AssistCaption(RowAssistKind kind)
{
    return kind == RowAssistKind::Insert ? "INSERT 支援" : "UPDATE 支援";
}

const char* AssistPlacementSection(RowAssistKind kind)
{
    return kind == RowAssistKind::Insert ? "InsertWindowSize" : "UpdateWindowSize";
}

const char* AssistCategory(DatabaseKind kind, const DefinitionRow& definition)
{
    if (kind == DatabaseKind::Postgres && sjis::CompareIgnoreCase(Cell(definition, kDefTypeName), "money") == 0)
        return kString;
    return LiteralCategory(Cell(definition, kDefAdoType));
}

AssistRows AssistRowsFor(DatabaseKind kind, const DefinitionRows& definition)
{
    AssistRows rows;
    rows.reserve(definition.size());
    for (const DefinitionRow& column : definition) {
        AssistRow row;
        row.name = Cell(column, kDefName);
        row.category = AssistCategory(kind, column);
        row.binary = IsBinaryAdoType(Cell(column, kDefAdoType));
        rows.push_back(row);
    }
    return rows;
}

bool HasInput(const AssistRow& row)
{
    VornString data(row.data);
    data.TrimBlanks();
    return !data.IsEmpty() || !row.option.IsEmpty();
}

bool HasCondition(const AssistRow& row)
{
    VornString condition(row.condition);
    condition.TrimBlanks();
    return !condition.IsEmpty();
}

AssistCheck CheckAssistRows(RowAssistKind kind, const AssistRows& rows)
{
    AssistCheck check;
    bool anyInput = false;
    bool anyCondition = false;
    for (size_t i = 0; i < rows.size(); ++i) {
        VornString data(rows[i].data);
        data.TrimBlanks();
        if (rows[i].option.Equals(kAssistFreeInput) && data.IsEmpty()) {
            check.problem = AssistProblem::FreeInputWithoutData;
            check.message = kFreeInputNeedsData;
            check.row = static_cast<int>(i);
            return check;
        }
        anyInput = anyInput || HasInput(rows[i]);
        anyCondition = anyCondition || HasCondition(rows[i]);
    }
    if (!anyInput) {
        check.problem = AssistProblem::NoColumn;
        check.message = kNoColumn;
    } else if (kind == RowAssistKind::Update && !anyCondition) {
        check.problem = AssistProblem::NoCondition;
        check.message = kNoCondition;
        check.column = kAssistCondition;
    }
    return check;
}

VornString QuotedLiteral(const char* text)
{
    const char* value = text ? text : "";
    if (EnclosedIn(value, '\''))
        return VornString(value);
    return Joined({"'", DoubleLoneApostrophes(value), "'"});
}

VornString RowValue(DatabaseKind kind, const AssistRow& row)
{
    if (row.option.Equals(kAssistFreeInput))
        return row.data;
    if (!row.option.IsEmpty())
        return row.option;
    VornString data(row.data);
    data.TrimBlanks();
    if (!row.category.IsMemberOf(kQuotedCategories))
        return data;
    return OracleDateIfDate(kind, row, QuotedLiteral(data));
}

VornString ConditionPart(DatabaseKind kind, const AssistRow& row)
{
    const VornString& op = row.condition;
    if (op.Equals(kAssistFreeInput))
        return Joined({row.value, " "});
    if (op.IsMemberOf("NULL,not NULL"))
        return Joined({"is ", op, " "});
    if (op.IsMemberOf("IN,not IN"))
        return Joined({op, "  (", row.value, ") "});
    if (op.IsMemberOf("LIKE,not LIKE"))
        return Joined({op, "  '", DoubleLoneApostrophes(row.value), "' "});
    if (op.IsMemberOf("BETWEEN,not BETWEEN"))
        return Joined({op, "  ", row.value, " "});
    return Joined({op, " ", ConditionLiteral(kind, row)});
}

VornString InsertText(const AssistTarget& target, const AssistRows& rows)
{
    VornString text("insert into ");
    text.Append(EncloseName(target.kind, target.table, target.excelThroughDsn));
    text.Append(" (\r\n");
    bool first = true;
    for (const AssistRow& row : rows) {
        if (!HasInput(row))
            continue;
        VornString name = EncloseName(target.kind, row.name, target.excelThroughDsn);
        name.Append(' ');
        AppendListItem(text, first, name);
        first = false;
    }
    text.Append("\r\n)\r\n values(\r\n");
    first = true;
    for (const AssistRow& row : rows) {
        if (!HasInput(row))
            continue;
        AppendListItem(text, first, RowValue(target.kind, row));
        first = false;
    }
    text.Append("\r\n)\r\n");
    return text;
}

VornString UpdateText(const AssistTarget& target, const AssistRows& rows)
{
    VornString text("update ");
    text.Append(EncloseName(target.kind, target.table, target.excelThroughDsn));
    text.Append(" set \r\n");
    bool first = true;
    for (const AssistRow& row : rows) {
        if (!HasInput(row))
            continue;
        VornString assignment = EncloseName(target.kind, row.name, target.excelThroughDsn);
        assignment.Append(" = ");
        assignment.Append(RowValue(target.kind, row));
        AppendListItem(text, first, assignment);
        first = false;
    }
    text.Append("\r\n where\r\n ");
    first = true;
    for (const AssistRow& row : rows) {
        if (!HasCondition(row))
            continue;
        if (!first)
            text.Append("\r\n and ");
        text.Append(EncloseName(target.kind, row.name, target.excelThroughDsn));
        text.Append(' ');
        text.Append(ConditionPart(target.kind, row));
        first = false;
    }
    text.Append("\r\n");
    return text;
}

void PrefillFromDataRow(RowAssistKind kind, AssistRows& rows, const std::vector<VornString>& headings,
                        const std::vector<VornString>& values, const std::vector<VornString>& keyColumns)
{
    for (size_t i = 0; i < headings.size() && i < values.size(); ++i) {
        AssistRow* row = FindRow(rows, headings[i]);
        if (!row || row->binary)
            continue;
        VornString value = row->category.Equals(kString) ? DoubleEveryApostrophe(values[i]) : values[i];
        row->data = value;
        if (kind == RowAssistKind::Update) {
            row->value = value;
            if (IsKeyColumn(keyColumns, row->name))
                row->condition = "=";
        }
    }
}

void PrefillConditions(AssistRows& rows, const std::vector<AssistCondition>& conditions)
{
    for (size_t i = 0; i < rows.size() && i < conditions.size(); ++i) {
        rows[i].condition = conditions[i].condition;
        rows[i].value = conditions[i].value;
    }
}

void ClearInput(AssistRow& row)
{
    row.option.Clear();
    row.data.Clear();
}
