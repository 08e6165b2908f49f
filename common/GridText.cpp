#include "GridText.h"

#include <cstdlib>

#include "SjisText.h"
#include "TextFile.h"

namespace {

const char kTableOpen[] = "<TABLE class=\"VornTable\" border=\"0\" cellspacing=\"1\" bgcolor=\"#000000\">";
const char kRowOpen[] = "<TR class=\"VornTr\">";
const char kHeaderCell[] = "<TH class=\"VornTh\" bgcolor=\"#C0C0C0\" nowrap>";
const char kDataCell[] = "<TD class=\"VornTd\" bgcolor=\"#FFFFFF\" nowrap>";

struct ModeShape {
    const char* separator;  // nullptr: HTML
    bool headerOnly;
};

bool ShapeOf(int mode, ModeShape* shape)
{
    switch (mode) {
    case 0: *shape = {"\t", false}; return true;
    case 1: *shape = {",", false}; return true;
    case 2: *shape = {"\\", false}; return true;
    case 3: *shape = {nullptr, false}; return true;
    case 100: *shape = {"\t", true}; return true;
    case 101: *shape = {",", true}; return true;
    case 102: *shape = {"\n", true}; return true;
    default: return false;
    }
}

// Collects output lines into the string, or writes each finished line to the file.
class ExportSink {
public:
    ExportSink(VornString& target, TextFile* file) : target_(target), file_(file) {}
    void Append(const char* text) { target_.Append(text); }
    void Append(const VornString& text) { target_.Append(text.Text(), text.Length()); }
    void AppendCell(const GridTextSource& source, int row, int column) { source.AppendCellText(row, column, target_); }
    void EndLine()
    {
        target_.Append("\n");
        if (file_) {
            file_->WriteLine(target_.Text());
            target_.Clear();
        }
    }
    void Finish()
    {
        if (file_ && !target_.IsEmpty()) {
            file_->WriteLine(target_.Text());
            target_.Clear();
        }
    }

private:
    VornString& target_;
    TextFile* file_;
};

void WriteLine(const GridTextSource& source, int row, int firstColumn, int columns,
               const ModeShape& shape, ExportSink& sink)
{
    bool header = row < 0;
    if (!shape.separator)
        sink.Append(kRowOpen);
    VornString title;
    for (int column = firstColumn; column < columns; ++column) {
        if (!shape.separator)
            sink.Append(header ? kHeaderCell : kDataCell);
        else if (column > firstColumn)
            sink.Append(shape.separator);
        if (header) {
            source.ColumnTitle(column, title);
            sink.Append(title);
        } else {
            sink.AppendCell(source, row, column);
        }
        if (!shape.separator)
            sink.Append(header ? "</TH>" : "</TD>");
    }
    if (!shape.separator)
        sink.Append("</TR>");
}

}  // namespace

bool ExportGridText(const GridTextSource& source, int firstColumn, bool selectedOnly,
                    bool withHeader, int mode, VornString& target)
{
    bool toFile = mode >= 1000;
    ModeShape shape;
    if (!ShapeOf(toFile ? mode - 1000 : mode, &shape) || (toFile && shape.headerOnly))
        return false;
    if (firstColumn < 0)
        firstColumn = 0;

    VornString path;
    TextFile file;
    if (toFile) {
        path = target;
        if (!file.OpenWrite(path))
            return false;
    }
    target.Clear();
    int columns = source.ColumnCount();
    ExportSink sink(target, toFile ? &file : nullptr);

    if (shape.headerOnly) {
        if (withHeader)
            WriteLine(source, -1, firstColumn, columns, shape, sink);
        return true;
    }
    if (!shape.separator) {
        sink.Append(kTableOpen);
        sink.EndLine();
    }
    if (withHeader) {
        WriteLine(source, -1, firstColumn, columns, shape, sink);
        sink.EndLine();
    }
    int rows = source.RowCount();
    for (int row = 0; row < rows; ++row) {
        if (selectedOnly && !source.IsRowSelected(row))
            continue;
        WriteLine(source, row, firstColumn, columns, shape, sink);
        sink.EndLine();
    }
    if (!shape.separator) {
        sink.Append("</TABLE>");
        sink.EndLine();
    }
    sink.Finish();
    if (toFile)
        target = path;
    return true;
}

int CompareGridCells(const char* a, const char* b, bool rightAligned, bool descending)
{
    int result;
    long numberA = rightAligned ? std::atol(a) : 0;
    long numberB = rightAligned ? std::atol(b) : 0;
    if (rightAligned && (numberA != 0 || numberB != 0))
        result = numberA < numberB ? -1 : (numberA > numberB ? 1 : 0);
    else
        result = sjis::CompareIgnoreCase(a, b);
    if (result != 0)
        result = result < 0 ? -1 : 1;
    return descending ? -result : result;
}
