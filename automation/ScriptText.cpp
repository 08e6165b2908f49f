#include "ScriptText.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "GridText.h"
#include "SjisText.h"

namespace vorn {

namespace {

// The sort compares as the grid does: at most this many bytes of each cell.
const size_t kSortTextBytes = 127;

bool IsOneOf(char c, const char* set) { return c != '\0' && std::strchr(set, c) != nullptr; }

// The fields of text between separators found on character boundaries only: a trail byte
// may equal the separator.
std::vector<VornString> Split(const char* text, size_t length, char separator)
{
    std::vector<VornString> fields;
    size_t start = 0, position = 0;
    while (position < length) {
        size_t step = (sjis::IsLeadByte(static_cast<unsigned char>(text[position])) && position + 1 < length) ? 2 : 1;
        if (step == 1 && text[position] == separator) {
            fields.emplace_back();
            fields.back().Assign(text + start, position - start);
            start = position + 1;
        }
        position += step;
    }
    fields.emplace_back();
    fields.back().Assign(text + start, length - start);
    return fields;
}

}  // namespace

bool IsDigitsOnly(const char* text)
{
    for (const char* p = text; *p; p += sjis::CharLength(p))
        if (sjis::CharLength(p) != 1 || !IsOneOf(*p, "0123456789"))
            return false;
    return true;
}

bool IsNumericText(const char* text)
{
    int dots = 0, minus = 0;
    for (const char* p = text; *p; p += sjis::CharLength(p)) {
        if (sjis::CharLength(p) != 1 || !IsOneOf(*p, "01234567890.-"))
            return false;
        if (*p == '.')
            ++dots;
        if (*p == '-' && (++minus > 1 || p != text))
            return false;
    }
    return dots <= 1;
}

bool IsAllDoubleByte(const char* text)
{
    size_t length = std::strlen(text);
    for (size_t i = 0; i < length; i += 2)
        if (!sjis::IsLeadByte(static_cast<unsigned char>(text[i])))
            return false;
    return true;
}

bool HasNoDoubleByte(const char* text)
{
    for (const char* p = text; *p; ++p)
        if (sjis::IsLeadByte(static_cast<unsigned char>(*p)))
            return false;
    return true;
}

bool IsInGroup(const char* text, const char* group)
{
    for (const char* p = text; *p; p += sjis::CharLength(p))
        if (sjis::Find(group, std::strlen(group), p, sjis::CharLength(p), false) < 0)
            return false;
    return true;
}

bool ReadDate(const char* text, DosDateCheck check, int& year, int& month, int& day)
{
    std::vector<VornString> fields = Split(text, std::strlen(text), '/');
    if (fields.size() < 3)
        return false;
    year = std::atoi(fields[0].Text());
    month = std::atoi(fields[1].Text());
    day = std::atoi(fields[2].Text());
    unsigned dosDate = ((static_cast<unsigned>(year - 1980) & 0x7F) << 9) | ((static_cast<unsigned>(month) & 0x0F) << 5) |
                       (static_cast<unsigned>(day) & 0x1F);
    return check(static_cast<unsigned short>(dosDate));
}

long DaySerial(int year, int month, int day)
{
    if (month <= 2) {
        month += 12;
        year -= 1;
    }
    return 365L * year + year / 4 - year / 100 + year / 400 + 30L * month + (6L * (month + 1)) / 10 + day;
}

long HexOrDecimal(const char* text)
{
    if (text[0] == '0' && text[1] == 'x')
        return static_cast<long>(std::strtoul(text + 2, nullptr, 16));
    return std::atol(text);
}

bool IsCaseOf(const char* text, const char* commaList, bool ignoreCase)
{
    for (const VornString& item : Split(commaList, std::strlen(commaList), ',')) {
        if (item.IsEmpty())
            continue;
        if (ignoreCase ? sjis::CompareIgnoreCase(item.Text(), text) == 0 : std::strcmp(item.Text(), text) == 0)
            return true;
    }
    return false;
}

void ZeroFill(VornString& text, long width)
{
    long missing = width - static_cast<long>(text.Length());
    if (missing <= 0)
        return;
    VornString zeros;
    zeros.Repeat("0", static_cast<int>(missing));
    text.Prepend(zeros.Text());
}

std::vector<VornString> SplitKeepingEmpty(const char* text, char separator)
{
    std::vector<VornString> fields;
    const char* start = text;
    for (const char* p = text;; p += sjis::CharLength(p)) {
        if (*p != separator && *p != '\0')
            continue;
        VornString field;
        field.Assign(start, static_cast<size_t>(p - start));
        fields.push_back(field);
        if (*p == '\0')
            break;
        start = p + 1;
    }
    return fields;
}

void RemoveLeadingBytes(VornString& text, long count)
{
    if (count <= 0)
        return;
    size_t length = text.Length();
    size_t n = std::min(length, static_cast<size_t>(count));
    VornString rest(text.Text() + n);
    text = rest;
}

void RemoveTrailingBytes(VornString& text, long count)
{
    if (count <= 0)
        return;
    size_t length = text.Length();
    text.Left(length - std::min(length, static_cast<size_t>(count)));
}

void EncloseIn(VornString& text, char open, char close) { text.Enclose(open, close); }

void RemoveEnclosing(VornString& text, char open, char close) { text.Unquote(open, close); }

ListTable::ListTable(const char* text, char delimiter)
{
    VornString plain(text);
    plain.ReplaceAll("\r", "");
    for (const VornString& line : Split(plain.Text(), plain.Length(), '\n')) {
        if (line.IsEmpty())
            continue;
        rows_.push_back(Split(line.Text(), line.Length(), delimiter));
        columns_ = std::max(columns_, static_cast<int>(rows_.back().size()));
    }
    for (std::vector<VornString>& row : rows_)
        row.resize(static_cast<size_t>(columns_));
}

ListTable::ListTable(std::initializer_list<const char*> titles)
{
    for (const char* title : titles)
        titles_.emplace_back(title);
    columns_ = static_cast<int>(titles_.size());
}

void ListTable::AddRow(std::initializer_list<const char*> cells)
{
    rows_.emplace_back();
    for (const char* cell : cells)
        rows_.back().emplace_back(cell);
    rows_.back().resize(static_cast<size_t>(columns_));
}

void ListTable::AddColumn(const char* title)
{
    titles_.emplace_back(title);
    columns_ = static_cast<int>(titles_.size());
    for (std::vector<VornString>& row : rows_)
        row.resize(static_cast<size_t>(columns_));
}

void ListTable::AddCells(std::vector<VornString> cells)
{
    cells.resize(static_cast<size_t>(columns_));
    rows_.push_back(std::move(cells));
}

void ListTable::ExportWithHeader(bool crLf, VornString& out) const
{
    VornString rows;
    Export(crLf, rows);
    out.Clear();
    for (size_t c = 0; c < titles_.size(); ++c) {
        if (c > 0)
            out.Append('\t');
        out.Append(titles_[c].Text());
    }
    out.Append(crLf ? "\r\n" : "\n");
    out.Append(rows.Text(), rows.Length());
}

void ListTable::DropLeading(int first)
{
    if (first <= 0)
        return;
    rows_.erase(rows_.begin(), rows_.begin() + std::min(static_cast<size_t>(first), rows_.size()));
}

void ListTable::SortBy(int column, bool descending)
{
    if (column < 0 || column >= columns_)
        return;
    size_t c = static_cast<size_t>(column);
    std::stable_sort(rows_.begin(), rows_.end(), [&](const std::vector<VornString>& a, const std::vector<VornString>& b) {
        VornString textA(a[c]), textB(b[c]);
        textA.Left(kSortTextBytes);
        textB.Left(kSortTextBytes);
        return CompareGridCells(textA.Text(), textB.Text(), false, descending) < 0;
    });
}

void ListTable::DeleteRow(int row)
{
    if (row >= 0 && row < RowCount())
        rows_.erase(rows_.begin() + row);
}

void ListTable::RowText(int row, VornString& out) const
{
    out.Clear();
    const std::vector<VornString>& cells = rows_[static_cast<size_t>(row)];
    for (size_t c = 0; c < cells.size(); ++c) {
        if (c > 0)
            out.Append('\t');
        out.Append(cells[c].Text(), cells[c].Length());
    }
}

void ListTable::Export(bool crLf, VornString& out) const
{
    out.Clear();
    VornString line;
    for (int row = 0; row < RowCount(); ++row) {
        RowText(row, line);
        out.Append(line.Text(), line.Length());
        out.Append(crLf ? "\r\n" : "\n");
    }
}

const VornString* ListTable::Cell(int row, int column) const
{
    if (row < 0 || row >= RowCount() || column < 0 || column >= columns_)
        return nullptr;
    return &rows_[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

void HtmlTable(const char* list, bool head, const char* table, const char* th, const char* tr, const char* td,
               VornString& out)
{
    VornString plain(list);
    plain.ReplaceAll("\r", "");
    std::vector<VornString> lines = Split(plain.Text(), plain.Length(), '\n');
    if (!lines.empty() && lines.back().IsEmpty())
        lines.pop_back();
    out.Assign(table);
    out.Append("\n");
    for (size_t i = 0; i < lines.size(); ++i) {
        bool header = head && i == 0;
        out.Append(tr);
        for (const VornString& field : Split(lines[i].Text(), lines[i].Length(), '\t')) {
            out.Append(header ? th : td);
            out.Append(field.Text(), field.Length());
            out.Append(header ? "</TH>" : "</TD>");
        }
        out.Append("</TR>\n");
    }
    out.Append("</TABLE>\n");
}

}  // namespace vorn
