#include "CsvText.h"

#include <cstring>
#include <utility>

#include "InsertStatementText.h"
#include "common/SjisText.h"

namespace transfer {

namespace {

const char kTextCategory[] = "文字列";
const char kDateCategory[] = "日付";
const char kNumberCategory[] = "数値";

bool StartsWithAt(const char* text, size_t length, size_t pos, const char* part, size_t partLength)
{
    return partLength && pos + partLength <= length && std::memcmp(text + pos, part, partLength) == 0;
}

// The field from pos to the next delimiter (or the end); pos moves past the delimiter.
// Returns false when the line ended without one.
bool TakeRawField(const char* line, size_t length, size_t& pos, const char* delimiter, size_t delimiterLength,
                  std::string& field)
{
    size_t start = pos;
    while (pos < length) {
        if (StartsWithAt(line, length, pos, delimiter, delimiterLength)) {
            field.assign(line + start, pos - start);
            pos += delimiterLength;
            return true;
        }
        pos += sjis::CharLength(line + pos);
    }
    field.assign(line + start, length - start);
    return false;
}

// An enclosed field from pos (its opening character). False, with pos unchanged, when it
// does not close right before a delimiter or the end.
bool TakeEnclosedField(const char* line, size_t length, size_t& pos, const char* delimiter, size_t delimiterLength,
                       char enclosing, std::string& field, bool& more)
{
    std::string value;
    size_t at = pos + 1;
    while (at < length) {
        if (line[at] == enclosing) {
            if (at + 1 < length && line[at + 1] == enclosing) {
                value.push_back(enclosing);
                at += 2;
                continue;
            }
            size_t after = at + 1;
            if (after == length) {
                more = false;
            } else if (StartsWithAt(line, length, after, delimiter, delimiterLength)) {
                more = true;
                after += delimiterLength;
            } else {
                return false;
            }
            field = std::move(value);
            pos = after;
            return true;
        }
        size_t n = sjis::CharLength(line + at);
        value.append(line + at, n);
        at += n;
    }
    return false;
}

void StripEnclosing(std::string& field, char enclosing)
{
    if (field.size() >= 2 && field.front() == enclosing && field.back() == enclosing &&
        sjis::EndsWithChar(field.c_str() + 1, enclosing))
        field = field.substr(1, field.size() - 2);
}

void AppendQuoted(std::string& out, const std::string& value, bool backslashEscapes)
{
    out.push_back('\'');
    for (size_t pos = 0; pos < value.size();) {
        size_t n = sjis::CharLength(value.c_str() + pos);
        if (n == 1 && (value[pos] == '\'' || (backslashEscapes && value[pos] == '\\')))
            out.push_back(value[pos]);
        out.append(value, pos, n);
        pos += n;
    }
    out.push_back('\'');
}

std::string OneLine(const char* text)
{
    std::string line;
    for (const char* p = text ? text : ""; *p; ++p) {
        if (*p == '\r')
            continue;
        line.push_back(*p == '\n' ? ' ' : *p);
    }
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

}  // namespace

void SplitCsvLine(const char* line, size_t length, const CsvSplitOptions& options, std::vector<std::string>& fields)
{
    fields.clear();
    const char* delimiter = options.delimiter.Text();
    size_t delimiterLength = options.delimiter.IsEmpty() ? 0 : sjis::CharLength(delimiter);
    size_t pos = 0;
    for (;;) {
        fields.emplace_back();
        std::string& field = fields.back();
        bool more = false;
        if (options.removeEnclosing && pos < length && line[pos] == options.enclosing &&
            TakeEnclosedField(line, length, pos, delimiter, delimiterLength, options.enclosing, field, more)) {
            if (!more)
                return;
            continue;
        }
        more = TakeRawField(line, length, pos, delimiter, delimiterLength, field);
        if (options.removeEnclosing)
            StripEnclosing(field, options.enclosing);
        if (!more)
            return;
    }
}

void ReplaceEscapedLineBreaks(std::string& line)
{
    std::string result;
    result.reserve(line.size());
    for (size_t pos = 0; pos < line.size();) {
        size_t n = sjis::CharLength(line.c_str() + pos);
        if (n == 1 && line[pos] == '\\' && pos + 1 < line.size() && line[pos + 1] == 'n') {
            result.append("\r\n");
            pos += 2;
            continue;
        }
        result.append(line, pos, n);
        pos += n;
    }
    line.swap(result);
}

CsvInsertBuilder::CsvInsertBuilder(const char* table, std::vector<CsvImportColumn> columns, bool backslashEscapes)
    : columns_(std::move(columns)), backslashEscapes_(backslashEscapes)
{
    prefix_ = "insert into ";
    prefix_ += table;
    prefix_ += " (";
    for (size_t i = 0; i < columns_.size(); ++i) {
        if (i)
            prefix_ += ",";
        prefix_ += columns_[i].name.Text();
    }
    prefix_ += ") values";
}

void CsvInsertBuilder::AppendValues(const std::vector<std::string>& fields, std::string& out) const
{
    for (size_t i = 0; i < columns_.size(); ++i) {
        if (i)
            out.push_back(',');
        if (i >= fields.size() || fields[i].empty()) {
            out.append("null");
            continue;
        }
        const std::string& field = fields[i];
        const VornString& category = columns_[i].category;
        if (category.Equals(kTextCategory) || category.Equals(kDateCategory))
            AppendQuoted(out, field, backslashEscapes_);
        else if (category.Equals(kNumberCategory) && IsNumberLiteral(field.c_str(), field.size()))
            out.append(field);
        else if (category.Equals(kNumberCategory))
            // Anything but a plain number in a number column is quoted, so that the
            // database rejects the value instead of reading it as SQL.
            AppendQuoted(out, field, backslashEscapes_);
    }
}

std::string CsvInsertBuilder::Statement(const std::vector<std::string>& fields) const
{
    std::string statement = prefix_;
    statement.push_back('(');
    AppendValues(fields, statement);
    statement.push_back(')');
    return statement;
}

std::string CsvErrorEntry(const std::string& line, const char* errorText, const std::string& statement)
{
    std::string entry = line;
    entry += "\r\n;";
    entry += OneLine(errorText);
    entry += "\r\n;";
    entry += OneLine(statement.c_str());
    entry += "\r\n";
    return entry;
}

VornString CsvErrorFilePath(const char* inputPath)
{
    VornString path(inputPath ? inputPath : "");
    path.Unquote('"');
    path.RemoveExtension();
    path.Append("_ERR.csv");
    return path;
}

void AppendCsvField(std::string& line, CsvValueKind kind, const char* text, size_t length,
                    const CsvExportOptions& options)
{
    if (kind == CsvValueKind::Text && length == 0)
        kind = CsvValueKind::Null;
    std::string value;
    if (kind == CsvValueKind::Unconvertible)
        value = "???";
    else if (kind != CsvValueKind::Null)
        value.assign(text, length);
    if (kind == CsvValueKind::Text && (options.removeLineBreaks || options.escapeLineBreaks)) {
        std::string kept;
        for (size_t pos = 0; pos < value.size(); ++pos) {
            if (value[pos] != '\r' && value[pos] != '\n') {
                kept.push_back(value[pos]);
                continue;
            }
            if (value[pos] == '\r' && pos + 1 < value.size() && value[pos + 1] == '\n')
                ++pos;
            if (!options.removeLineBreaks)
                kept.append("\\n");
        }
        value.swap(kept);
    }
    bool enclose = options.encloseAll ||
                   (options.encloseNonNumeric && kind != CsvValueKind::Null && kind != CsvValueKind::Number);
    if (!enclose) {
        line.append(value);
        return;
    }
    const std::string mark = options.enclosing.Text();
    line.append(mark);
    for (size_t pos = 0; pos < value.size();) {
        if (!mark.empty() && value.compare(pos, mark.size(), mark) == 0) {
            line.append(mark).append(mark);
            pos += mark.size();
            continue;
        }
        size_t n = sjis::CharLength(value.c_str() + pos);
        line.append(value, pos, n);
        pos += n;
    }
    line.append(mark);
}

}  // namespace transfer
