#include "DefinitionFile.h"

#include <cstring>

#include "../common/SjisText.h"

namespace {

const char* const kKindWords[] = {"EXCEL", "MDB", "SQLServer", "MySQL", "Oracle", "POSTGRES"};
const int kKindCount = 6;

// What one type number becomes on one kind. With keepsSize the column keeps its size (or
// precision and scale); a character column without a size takes nameWithoutSize.
struct TargetType {
    const char* name;
    bool keepsSize = false;
    const char* nameWithoutSize = nullptr;
};

struct TypeRule {
    const char* numbers;
    TargetType targets[kKindCount];   // Excel, Mdb, SqlServer, MySql, Oracle, Postgres
};

// The layer over ODBC reports the variable and long character types as 200-203 where a
// provider's schema says 129 or 130, and decimals as 14 or 131: each pair is one rule.
// Binary columns (204, 205) get each kind's long binary type; a Postgres "date" holds no
// time of day, so date-and-time columns become "timestamp" there; and SQL Server keeps
// 64-bit integers in BIGINT, where INT would refuse their larger values.
const TypeRule kTypeRules[] = {
    {"128,129,200,201",
     {{"VARCHAR", false, nullptr}, {"VARCHAR", true, "MEMO"}, {"VARCHAR", true, "TEXT"}, {"varchar", true, "text"},
      {"VARCHAR2", true, "CLOB"}, {"varchar", true, "text"}}},
    {"130,202,203",
     {{"VARCHAR", false, nullptr}, {"VARCHAR", true, "MEMO"}, {"NVARCHAR", true, "NTEXT"}, {"varchar", true, "text"},
      {"NVARCHAR2", true, "CLOB"}, {"varchar", true, "text"}}},
    {"14,131",
     {{"NUMBER", false, nullptr}, {"DECIMAL", true, nullptr}, {"DECIMAL", true, nullptr}, {"decimal", true, nullptr},
      {"NUMBER", true, nullptr}, {"numeric", true, nullptr}}},
    {"6", {{"MONEY"}, {"MONEY"}, {"MONEY"}, {"double"}, {"NUMBER"}, {"float8"}}},
    {"11", {{"YESNO"}, {"YESNO"}, {"BIT"}, {"tinyint"}, {"NUMBER"}, {"int2"}}},
    {"7,135", {{"DATE"}, {"DATE"}, {"DATETIME"}, {"datetime"}, {"DATE"}, {"timestamp"}}},
    {"133", {{"DATE"}, {"DATE"}, {"DATETIME"}, {"date"}, {"DATE"}, {"date"}}},
    {"134", {{"DATE"}, {"DATE"}, {"DATETIME"}, {"time"}, {"DATE"}, {"time"}}},
    {"2", {{"NUMBER"}, {"SMALLINT"}, {"SMALLINT"}, {"smallint"}, {"NUMBER"}, {"int2"}}},
    {"3,18", {{"NUMBER"}, {"INT"}, {"INT"}, {"int"}, {"NUMBER"}, {"int4"}}},
    {"20,19,21", {{"NUMBER"}, {"INT"}, {"BIGINT"}, {"bigint"}, {"NUMBER"}, {"int8"}}},
    {"4", {{"NUMBER"}, {"REAL"}, {"REAL"}, {"float"}, {"NUMBER"}, {"float4"}}},
    {"5", {{"NUMBER"}, {"NUMBER"}, {"FLOAT"}, {"double"}, {"NUMBER"}, {"float8"}}},
    {"16", {{"NUMBER"}, {"SMALLINT"}, {"TINYINT"}, {"tinyint"}, {"NUMBER"}, {"int2"}}},
    {"17", {{"NUMBER"}, {"BYTE"}, {"TINYINT"}, {"tinyint"}, {"NUMBER"}, {"int2"}}},
    {"204,205", {{""}, {"LONGBINARY"}, {"IMAGE"}, {"longblob"}, {"BLOB"}, {"bytea"}}},
};

const char kCharacterNumbers[] = "128,129,130,200,201,202,203";

VornString Trimmed(const char* text)
{
    VornString result(text ? text : "");
    result.TrimBlanks();
    return result;
}

const char* Cell(const DefinitionRow& row, int column)
{
    return column < static_cast<int>(row.size()) ? row[column].Text() : "";
}

const TypeRule* RuleFor(const VornString& number)
{
    for (const TypeRule& rule : kTypeRules)
        if (number.IsMemberOf(rule.numbers))
            return &rule;
    return nullptr;
}

// The kinds whose own timestamp type a "timestamp" column keeps.
const char* TimestampName(DatabaseKind target)
{
    switch (target) {
    case DatabaseKind::SqlServer:
    case DatabaseKind::Oracle:
        return "TIMESTAMP";
    case DatabaseKind::MySql:
    case DatabaseKind::Postgres:
        return "timestamp";
    default:
        return nullptr;
    }
}

bool IsCharacterNumber(const VornString& number, bool wide)
{
    return number.IsMemberOf(wide ? "130,202,203" : "129,200,201");
}

// Splits a column line at ","; a name that itself held "," leaves more than six fields,
// and the five at the end are always the others.
bool SplitColumnLine(const VornString& line, std::vector<VornString>& fields)
{
    std::vector<VornString> parts;
    const char* start = line.Text();
    for (const char* p = start;; p += sjis::CharLength(p)) {
        if (*p == ',' || *p == '\0') {
            parts.emplace_back();
            parts.back().Append(start, static_cast<size_t>(p - start));
            if (*p == '\0')
                break;
            start = p + 1;
        }
    }
    if (parts.size() < 2)
        return false;
    while (parts.size() < 6)
        parts.push_back(VornString());
    fields.assign(6, VornString());
    size_t nameParts = parts.size() - 5;
    for (size_t i = 0; i < nameParts; ++i) {
        if (i > 0)
            fields[0].Append(",");
        fields[0].Append(parts[i]);
    }
    for (size_t i = 1; i < 6; ++i)
        fields[i] = parts[nameParts + i - 1];
    return true;
}

std::vector<VornString> SplitLines(const char* text)
{
    std::vector<VornString> lines;
    const char* start = text;
    for (const char* p = text;; ++p) {
        if (*p == '\n' || *p == '\0') {
            size_t length = static_cast<size_t>(p - start);
            if (length > 0 && start[length - 1] == '\r')
                --length;
            if (*p == '\n' || length > 0) {
                lines.emplace_back();
                lines.back().Append(start, length);
            }
            if (*p == '\0')
                break;
            start = p + 1;
        }
    }
    return lines;
}

}  // namespace

const char* DefinitionFileKindWord(DatabaseKind kind)
{
    return IsKnownKind(kind) ? kKindWords[static_cast<int>(kind)] : "";
}

DatabaseKind KindOfDefinitionFileWord(const char* word)
{
    VornString text = Trimmed(word);
    for (int i = 0; i < kKindCount; ++i)
        if (text.EqualsIgnoreCase(kKindWords[i]))
            return KindFromNumber(i);
    return DatabaseKind::None;
}

void DefinitionFileSizes(DatabaseKind sourceKind, const DefinitionRow& row, VornString& size, VornString& scale)
{
    size = VornString();
    scale = VornString();
    VornString number = Trimmed(Cell(row, kDefAdoType));
    VornString type = Trimmed(Cell(row, kDefTypeName));
    const char* length = Cell(row, kDefSize);
    const bool narrow = IsCharacterNumber(number, false);
    const bool wide = IsCharacterNumber(number, true);
    if (number.IsMemberOf("14,131") && sourceKind != DatabaseKind::Excel) {
        size = Trimmed(Cell(row, kDefPrecision));
        scale = Trimmed(Cell(row, kDefScale));
        return;
    }
    switch (sourceKind) {
    case DatabaseKind::Excel:
        if (wide)
            size = "255";
        break;
    case DatabaseKind::Mdb:
        if (wide && !type.EqualsIgnoreCase("MEMO"))
            size = Trimmed(length);
        break;
    case DatabaseKind::SqlServer:
        if ((narrow || wide) && !type.IsMemberOfIgnoreCase("TEXT,NTEXT"))
            size = Trimmed(length);
        break;
    case DatabaseKind::MySql:
        if ((narrow || wide) && !type.IsMemberOfIgnoreCase("tinytext,mediumtext,text,longtext"))
            size = Trimmed(length);
        break;
    case DatabaseKind::Oracle:
        if (number.Equals("128")) {
            if (!type.EqualsIgnoreCase("LONG RAW"))
                size = Trimmed(length);
        } else if ((narrow || wide) && !type.IsMemberOfIgnoreCase("CLOB,LONG")) {
            // The catalog counts the bytes of a national character column: two per character.
            size = Trimmed(length);
            if (type.IsMemberOfIgnoreCase("NVARCHAR2,NCHAR"))
                size.Format("%ld", size.ToInteger() / 2);
        }
        break;
    case DatabaseKind::Postgres:
        if ((narrow || wide) && !type.EqualsIgnoreCase("text"))
            size = Trimmed(length);
        break;
    default:
        break;
    }
}

VornString DefinitionFileText(DatabaseKind sourceKind, const char* tableName, const DefinitionRows& definition)
{
    VornString text(DefinitionFileKindWord(sourceKind));
    text.Append("\r\n");
    text.Append(tableName ? tableName : "");
    text.Append("\r\n");
    for (const DefinitionRow& row : definition) {
        VornString size, scale;
        DefinitionFileSizes(sourceKind, row, size, scale);
        const char* fields[] = {Cell(row, kDefName), Cell(row, kDefTypeName), Cell(row, kDefAdoType),
                                size.Text(),         scale.Text(),             Cell(row, kDefPrimaryKey)};
        for (int i = 0; i < 6; ++i) {
            if (i > 0)
                text.Append(",");
            text.Append(fields[i]);
        }
        text.Append("\r\n");
    }
    return text;
}

VornString DefinitionFilePath(const char* folder, const char* tableName)
{
    VornString path(folder ? folder : "");
    if (!path.IsEmpty() && !sjis::EndsWithChar(path.Text(), '\\'))
        path.Append("\\");
    path.Append(tableName ? tableName : "");
    path.Append(".wos");
    return path;
}

DefinitionFileColumn TranslateDefinitionColumn(DatabaseKind target, const char* name, const char* typeName,
                                               const char* typeNumber, const char* size, const char* scale,
                                               const char* key)
{
    DefinitionFileColumn column;
    column.name = name ? name : "";
    column.key = Trimmed(key);
    VornString number = Trimmed(typeNumber);
    VornString sourceType = Trimmed(typeName);
    // The Postgres driver hands booleans over as characters; their name tells what they are.
    if (sourceType.IsMemberOfIgnoreCase("bool,boolean"))
        number = "11";
    const TypeRule* rule = RuleFor(number);
    if (!rule || !IsKnownKind(target))
        return column;
    const char* timestamp = TimestampName(target);
    if (timestamp && number.IsMemberOf(kCharacterNumbers) && sourceType.EqualsIgnoreCase("timestamp")) {
        column.type = timestamp;
        return column;
    }
    if (timestamp && number.IsMemberOf("7,135") && sourceType.FindIgnoreCase("timestamp") >= 0) {
        column.type = timestamp;
        return column;
    }
    // A Jet MEMO is written as a wide column without a size, yet it holds the text SQL
    // Server keeps as TEXT; it takes the narrow row.
    if (sourceType.EqualsIgnoreCase("MEMO") && number.IsMemberOf("130,202,203"))
        rule = RuleFor(VornString("129"));
    const TargetType& to = rule->targets[static_cast<int>(target)];
    // Excel takes VARCHAR only for the narrow character numbers, not for fixed binary.
    if (target == DatabaseKind::Excel && number.Equals("128"))
        return column;
    column.type = to.name;
    if (!to.keepsSize)
        return column;
    VornString givenSize = Trimmed(size);
    if (givenSize.IsEmpty() && to.nameWithoutSize) {
        column.type = to.nameWithoutSize;
        return column;
    }
    column.size = givenSize;
    if (!to.nameWithoutSize)
        column.scale = Trimmed(scale);
    return column;
}

bool ReadDefinitionFileText(const char* text, DatabaseKind currentKind, DefinitionFileTable& table)
{
    table = DefinitionFileTable();
    std::vector<VornString> lines = SplitLines(text ? text : "");
    if (lines.empty())
        return false;
    table.sourceKind = KindOfDefinitionFileWord(lines[0]);
    if (lines.size() > 1)
        table.tableName = lines[1];
    const bool sameKind = table.sourceKind != DatabaseKind::None && table.sourceKind == currentKind;
    for (size_t i = 2; i < lines.size(); ++i) {
        std::vector<VornString> fields;
        if (!SplitColumnLine(lines[i], fields))
            continue;
        if (!sameKind) {
            table.columns.push_back(TranslateDefinitionColumn(currentKind, fields[0], fields[1], fields[2], fields[3],
                                                              fields[4], fields[5]));
            continue;
        }
        DefinitionFileColumn column;
        column.name = fields[0];
        column.type = fields[1];
        if (currentKind != DatabaseKind::Excel) {
            column.size = fields[3];
            column.scale = fields[4];
            column.key = fields[5];
        }
        table.columns.push_back(column);
    }
    return true;
}
