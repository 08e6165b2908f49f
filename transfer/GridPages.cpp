#include "GridPages.h"

#include <vector>

#include "common/SjisText.h"
#include "common/TextFile.h"

namespace transfer {

namespace {

const char kPageHead[] =
    "<HTML>\n"
    "<HEAD>\n"
    "<META http-equiv=\"Content-Type\" content=\"text/html; charset=shift_jis\">\n"
    "</HEAD>\n"
    "<BODY>\n";
const char kPageFoot[] = "</BODY>\n</HTML>\n";
const char kTableTag[] = "<TABLE class=\"VornTable\" border=\"0\" cellspacing=\"1\" bgcolor=\"#000000\"";
const char kRowTag[] = "<TR class=\"VornTr\">";
const char kHeadingTag[] = "<TH class=\"VornTh\" bgcolor=\"#C0C0C0\" nowrap>";
const char kCellTag[] = "<TD class=\"VornTd\" bgcolor=\"#FFFFFF\" nowrap>";

// Reads every heading and cell through one scratch string, so a large grid costs no
// allocation per cell. With a file the page goes to disk in pieces as it grows: the
// buffer stays small whatever the number of rows.
class PageWriter {
public:
    PageWriter(const GridTextSource& grid, VornString& page, int firstColumn, TextFile* file = nullptr)
        : grid_(grid), page_(page), first_(firstColumn > 0 ? firstColumn : 0), columns_(grid.ColumnCount()),
          file_(file)
    {
        page_.Clear();
        for (int column = first_; column < columns_; ++column)
            fields_.push_back(XmlFieldName(column - first_));
    }
    // Called at the end of every row.
    void RowDone()
    {
        if (file_ && page_.Length() >= kFlushSize)
            Flush();
    }
    bool Finish()
    {
        if (file_)
            Flush();
        return written_;
    }
    int First() const { return first_; }
    int Columns() const { return columns_; }
    void Heading(int column)
    {
        grid_.ColumnTitle(column, scratch_);
        AppendPageText(page_, scratch_.Text(), scratch_.Length());
    }
    void Cell(int row, int column)
    {
        grid_.CellText(row, column, scratch_);
        AppendPageText(page_, scratch_.Text(), scratch_.Length());
    }
    void Text(const char* text) { page_.Append(text); }
    void Field(int column) { page_.Append(fields_[column - first_]); }

private:
    static constexpr size_t kFlushSize = 64 * 1024;
    void Flush()
    {
        if (written_ && !page_.IsEmpty())
            written_ = file_->WriteLine(page_);
        page_.Clear();
    }

    const GridTextSource& grid_;
    VornString& page_;
    int first_;
    int columns_;
    TextFile* file_;
    bool written_ = true;
    std::vector<VornString> fields_;
    VornString scratch_;
};

}  // namespace

void AppendPageText(VornString& page, const char* text, size_t length)
{
    size_t run = 0;
    for (size_t pos = 0; pos < length;) {
        size_t n = sjis::CharLength(text + pos);
        if (n == 1 && (text[pos] == '<' || text[pos] == '>')) {
            page.Append(text + run, pos - run);
            page.Append(text[pos] == '<' ? "&lt;" : "&gt;");
            run = pos + 1;
        }
        pos += n;
    }
    page.Append(text + run, length - run);
}

VornString XmlFieldName(int index)
{
    VornString name;
    name.Format("Fld%03d", index + 1);
    return name;
}

namespace {

void BuildHtml(const GridTextSource& grid, PageWriter& out)
{
    const int first = out.First();
    const int columns = out.Columns();
    out.Text(kPageHead);
    out.Text(kTableTag);
    out.Text(">\n");
    out.Text(kRowTag);
    for (int column = first; column < columns; ++column) {
        out.Text(kHeadingTag);
        out.Heading(column);
        out.Text("</TH>");
    }
    out.Text("</TR>\n");
    for (int row = 0; row < grid.RowCount(); ++row) {
        out.Text(kRowTag);
        for (int column = first; column < columns; ++column) {
            out.Text(kCellTag);
            out.Cell(row, column);
            out.Text("</TD>");
        }
        out.Text("</TR>\n");
        out.RowDone();
    }
    out.Text("</TABLE>\n");
    out.Text(kPageFoot);
}

void BuildXml(const GridTextSource& grid, PageWriter& out)
{
    const int first = out.First();
    const int columns = out.Columns();
    out.Text("<?xml version=\"1.0\" encoding=\"shift_jis\" ?>\n\t<mydata>\n");
    for (int column = first; column < columns; ++column) {
        out.Text("\t\t<!-- ");
        out.Field(column);
        out.Text(" : ");
        out.Heading(column);
        out.Text("-->\n");
    }
    for (int row = 0; row < grid.RowCount(); ++row) {
        out.Text("\t\t<row>\n");
        for (int column = first; column < columns; ++column) {
            out.Text("\t\t\t<");
            out.Field(column);
            out.Text(">");
            out.Cell(row, column);
            out.Text("</");
            out.Field(column);
            out.Text(">\n");
        }
        out.Text("\t\t</row>\n");
        out.RowDone();
    }
    out.Text("\t</mydata>\n");
}

void BuildXmlView(PageWriter& out, const char* dataFileName)
{
    const int first = out.First();
    const int columns = out.Columns();
    out.Text(kPageHead);
    out.Text(kTableTag);
    out.Text(" datasrc=\"#xmlDataisland\">\n<THEAD class=\"VornThead\">\n");
    for (int column = first; column < columns; ++column) {
        out.Text("\t");
        out.Text(kHeadingTag);
        out.Heading(column);
        out.Text("</TH>\n");
    }
    out.Text("</THEAD>\n");
    out.Text(kRowTag);
    out.Text("\n");
    for (int column = first; column < columns; ++column) {
        out.Text("\t");
        out.Text(kCellTag);
        out.Text("<SPAN datafld=\"");
        out.Field(column);
        out.Text("\"></SPAN></TD>\n");
    }
    out.Text("</TR>\n</TABLE>\n<XML id=\"xmlDataisland\" src=\"");
    out.Text(dataFileName);
    out.Text("\"></XML>\n");
    out.Text(kPageFoot);
}

// The page built into a file: false when it cannot be created or written.
template <typename Build>
bool WritePageFile(const GridTextSource& grid, int firstColumn, const char* path, Build build)
{
    TextFile file;
    if (!file.OpenWrite(path))
        return false;
    VornString buffer;
    PageWriter out(grid, buffer, firstColumn, &file);
    build(out);
    return out.Finish() && file.Close();
}

}  // namespace

void BuildHtmlPage(const GridTextSource& grid, int firstColumn, VornString& page)
{
    PageWriter out(grid, page, firstColumn);
    BuildHtml(grid, out);
}

void BuildXmlData(const GridTextSource& grid, int firstColumn, VornString& data)
{
    PageWriter out(grid, data, firstColumn);
    BuildXml(grid, out);
}

void BuildXmlViewPage(const GridTextSource& grid, int firstColumn, const char* dataFileName, VornString& page)
{
    PageWriter out(grid, page, firstColumn);
    BuildXmlView(out, dataFileName);
}

bool WriteHtmlPageFile(const GridTextSource& grid, int firstColumn, const char* path)
{
    return WritePageFile(grid, firstColumn, path, [&](PageWriter& out) { BuildHtml(grid, out); });
}

bool WriteXmlDataFile(const GridTextSource& grid, int firstColumn, const char* path)
{
    return WritePageFile(grid, firstColumn, path, [&](PageWriter& out) { BuildXml(grid, out); });
}

bool WriteXmlViewPageFile(const GridTextSource& grid, int firstColumn, const char* dataFileName, const char* path)
{
    return WritePageFile(grid, firstColumn, path, [&](PageWriter& out) { BuildXmlView(out, dataFileName); });
}

VornString XmlViewPagePath(const char* dataPath)
{
    VornString path(dataPath);
    path.RemoveExtension();
    path.Append(".htm");
    return path;
}

}  // namespace transfer
