#include "PageBuilders.h"

#include <cstring>

#include "common/SjisText.h"

namespace {

const char kAsp[] = "ASP";

VornString Number(long value)
{
    VornString text;
    text.Format("%ld", value);
    return text;
}

// One run over the store: the first section that cannot be read ends every later step.
class Run {
public:
    Run(TemplateStore& store, const char* table, const WebFields& fields, const WebFileSink& sink)
        : store_(store), table_(table), fields_(fields), sink_(sink)
    {
    }

    WebRunStatus Status() const { return status_; }
    bool Ok() const { return status_ == WebRunStatus::Done; }

    // The kind's own section, or one of table "ASP".
    void S(const char* key) { Section(table_, key); }
    void Asp(const char* key) { Section(kAsp, key); }
    void L(const char* text) { page_.Append(text); }
    void L(const VornString& text) { page_.Append(text); }
    void Col(const char* pattern, const WebColumn& column, int index = 0, int width = -1)
    {
        page_.Append(FillLine(pattern, column, fields_.table, index, width));
    }
    void Table(const char* pattern) { page_.Append(FillLine(pattern, WebColumn(), fields_.table)); }

    // Hands the page over when every section of it was read.
    void Write(const char* name)
    {
        if (Ok())
            sink_(name, page_);
        page_.Clear();
    }
    // A file that is one section followed by "\n".
    void Single(const char* table, const char* key, const char* name)
    {
        Section(table, key);
        L("\n");
        Write(name);
    }
    void Single(const char* name) { Single(table_, name, name); }

    const WebFields& Fields() const { return fields_; }
    VornString& Page() { return page_; }

private:
    void Section(const char* table, const char* key)
    {
        if (!Ok())
            return;
        VornString text;
        switch (store_.ReadSection(table, key, text)) {
        case SectionStatus::Found: page_.Append(text); break;
        case SectionStatus::Missing: status_ = WebRunStatus::SectionMissing; break;
        case SectionStatus::Unreachable: status_ = WebRunStatus::StoreUnreachable; break;
        }
    }

    TemplateStore& store_;
    const char* table_;
    const WebFields& fields_;
    const WebFileSink& sink_;
    VornString page_;
    WebRunStatus status_ = WebRunStatus::Done;
};

// Title cell T and bold title cell B.
void TitleCell(Run& run, const WebColumn& c) { run.Col("<TD class=MyTitle nowrap>{NAME}</TD>\n", c); }
void BoldTitleCell(Run& run, const WebColumn& c)
{
    run.Col("<TD class=MyTitle nowrap style='font-weight:bold'>{NAME}</TD>\n", c);
}

// Input cell I(p, s) and, with extra lines after the name, Z(p, s).
void InputCell(Run& run, const WebColumn& c, const char* prefix, const char* suffix, bool sized,
               const char* afterName = "")
{
    VornString name(prefix);
    name.Append("{NNN}");
    name.Append(suffix);
    run.L("<TD class=MyEntry>\n\t<INPUT\n\t\ttype=text\n");
    VornString line("\t\tname=");
    line.Append(name);
    line.Append("\n");
    run.Col(line, c);
    run.L(afterName);
    if (sized)
        run.Col("\t\tmaxlength={WIDTH}\n\t\tsize={W2}\n", c);
    line = "\t\tvalue=\"<%= MyData(\"";
    line.Append(name);
    line.Append("\") %>\"\n");
    run.Col(line, c);
    run.L("\t>\n</TD>\n");
}

void FuzzyCondition(Run& run, const WebColumn& c)
{
    run.Col("\tif MyData(\"In1{NNN}\") <> \"\" then\n"
            "\t\tCall SetCond( strCond )\n"
            "\t\tstrCond = strCond & \"{NAME} like '%\" & MyData(\"In1{NNN}\") & \"%'\"\n"
            "\tend if\n\n",
            c);
}

void ResultCell(Run& run, const WebColumn& c)
{
    run.Col("\tOutData = OutData & \"<TD class=MyCell>\"\n"
            "\tOutData = OutData &  Rs.Fields(\"{NAME}\").Value & \"\"\n"
            "\tOutData = OutData & \"</TD>\" & vbCrLf\n\n",
            c);
}

void HeaderCell(Run& run, const WebColumn& c) { run.Col("<TH class=MyHead nowrap>{NAME}</TH>\n", c); }

// Key query Q(s), without a line end; indent "\t" or "\t\t".
VornString KeyQuery(const WebFields& fields, const char* suffix, const char* indent = "\t")
{
    VornString text(indent);
    text.Append(FillLine("Query = \"select * from {TABLE} where ", WebColumn(), fields.table));
    bool first = true;
    for (const WebColumn& c : fields.left) {
        if (!first)
            text.Append(" _ \n\t& \" and ");
        first = false;
        VornString condition("{NAME} = \" & Ss(MyData(\"In1{NNN}");
        condition.Append(suffix);
        condition.Append("\"))");
        text.Append(FillLine(condition, c, fields.table));
    }
    return text;
}

// The query model of フレーム問合せ and Excel 印刷.
void QueryModel(Run& run)
{
    const WebFields& f = run.Fields();
    run.Asp("model-1");
    run.L("\n");
    run.Table("\tQuery = \"select * from {TABLE}\"\n\n");
    for (const WebColumn& c : f.left)
        FuzzyCondition(run, c);
    run.Asp("model-2");
    run.L("\n");
    for (const WebColumn& c : f.right)
        ResultCell(run, c);
    run.Asp("model-3");
    run.L("\n");
    run.Write("model.inc");
}

// view.inc of the search kinds: a title and an input per fuzzy-search field.
void SearchView(Run& run, bool ownTable)
{
    ownTable ? run.S("view-1") : run.Asp("view-1");
    run.L("\n");
    for (const WebColumn& c : run.Fields().left) {
        TitleCell(run, c);
        InputCell(run, c, "In1", "", false);
    }
    ownTable ? run.S("view-2") : run.Asp("view-2");
    run.L("\n");
    run.Write("view.inc");
}

void BuildFrameQuery(Run& run)
{
    const WebFields& f = run.Fields();
    SearchView(run, true);
    run.S("view2-1");
    run.L("\n");
    for (const WebColumn& c : f.right)
        HeaderCell(run, c);
    run.L("\n");
    run.S("view2-2");
    run.L("\n");
    run.Write("view2.inc");
    QueryModel(run);
    run.Single("frame.htm");
    run.Single("control.asp");
    run.Single(kAsp, "viewmessage.inc", "viewmessage.inc");
}

void BuildExcelPrint(Run& run)
{
    const WebFields& f = run.Fields();
    SearchView(run, false);
    run.S("view2-1");
    run.L("\n\n");
    for (size_t i = 0; i < f.right.size(); ++i)
        run.Col("\t\tCall ExcelSetCell( MyBook, TargetSheet, nPosX+{i1}, nPosY, "
                "Table.rows(nPosY).cells({i}).innerText )\n",
                f.right[i], static_cast<int>(i));
    run.L("\n");
    run.S("view2-1-2");
    run.L("\n");
    for (const WebColumn& c : f.right)
        HeaderCell(run, c);
    run.L("\n");
    run.Asp("view2-2");
    run.L("\n");
    run.Write("view2.inc");
    QueryModel(run);
    run.Single("frame.htm");
    run.Single("excel.htm");
    run.Single(kAsp, "control.asp", "control.asp");
    run.Single(kAsp, "viewmessage.inc", "viewmessage.inc");
}

void BuildIePrint(Run& run)
{
    const WebFields& f = run.Fields();
    SearchView(run, true);
    run.S("model-1");
    run.L("\n\n");
    run.Table("\tQuery = \"select * from {TABLE}\"\n\n");
    for (const WebColumn& c : f.left)
        FuzzyCondition(run, c);
    run.S("model-2");
    run.L("\n\n");
    run.L("\tOutData = OutData & String( 25, \" \" )\n");
    run.Table("\tOutData = OutData & \"＊＊ {TABLE}一覧 ＊＊\"\n");
    run.L("\tOutData = OutData & String( 25, \" \" ) & Date()\n"
          "\tOutData = OutData & \"  ページ:\" & Right(\"   \" & nPage,3)\n"
          "\tOutData = OutData & vbCrLf & vbCrLf\n");
    long sum = 0;
    for (const WebColumn& c : f.right) {
        int width = PrintColumnWidth(c);
        sum += width + 2;
        run.Col("\tOutData = OutData & ByteString( \"{NAME}\", {WIDTH} + 2 )\n", c, 0, width);
    }
    VornString separator;
    separator.Format("\tOutData = OutData & vbCrLf & String( %ld, \"-\" ) & vbCrLf\n", sum);
    run.L(separator);
    run.L("\tnRow = 5\n\n");
    run.S("model-3");
    run.L("\n\n");
    for (const WebColumn& c : f.right) {
        run.Col("\tOutData = OutData & FormatField( \"{NAME}\", {WIDTH} )\n", c, 0, PrintColumnWidth(c));
        run.L("\tOutData = OutData & \"  \"\n");
    }
    run.L("\tOutData = OutData & vbCrLf\n\tnRow = nRow + 1\n\n");
    run.S("model-4");
    run.L("\n");
    run.Write("model.inc");
    run.Single("frame.htm");
    run.Single("control.asp");
    run.Single("view2.inc");
    run.Single(kAsp, "viewmessage.inc", "viewmessage.inc");
}

void BuildFrameMaintenance(Run& run)
{
    const WebFields& f = run.Fields();
    run.S("view-1");
    run.L("\n\n");
    for (const WebColumn& c : f.left)
        run.Col("\tdocument.getElementsByName(\"In1{NNN}\")(0).value = \"\"\n", c);
    run.L("\n");
    run.S("view-1-2");
    run.L("\n\n");
    for (const WebColumn& c : f.left)
        run.Col("\tdocument.getElementsByName(\"In1{NNN}\")[0].value = \"\"\n", c);
    run.L("\n");
    run.S("view-2");
    run.L("\n");
    for (const WebColumn& c : f.left) {
        TitleCell(run, c);
        InputCell(run, c, "In1", "", true);
    }
    run.S("view-3");
    run.L("\n");
    run.Write("view.inc");

    run.S("view2-1");
    run.L("\n");
    for (const WebColumn& c : f.right) {
        run.L("<TR>\n");
        BoldTitleCell(run, c);
        InputCell(run, c, "In2", "", true);
        run.L("</TR>\n");
    }
    run.S("view2-2");
    run.L("\n");
    run.Write("view2.inc");

    VornString query = KeyQuery(f, "");
    run.S("model-1");
    run.L("\n\n");
    run.L(query);
    run.L("\n\n");
    run.S("model-2");
    run.L("\n\n");
    for (const WebColumn& c : f.right)
        run.Col("\tMyData(\"In2{NNN}\") = Rs.Fields(\"{NAME}\").Value & \"\"\n", c);
    run.L("\n");
    run.S("model-3");
    run.L("\n\n");
    run.L(query);
    run.L("\n\tif not DBGet( Cn, Rs, Query, True ) then\n\t\tRs.AddNew\n");
    for (const WebColumn& c : f.left)
        run.Col("\t\tRs.Fields(\"{NAME}\").value = MyData(\"In1{NNN}\")\n", c);
    run.L("\tend if\n\n");
    for (const WebColumn& c : f.right)
        run.Col("\tCall SetField(\"{NAME}\",\"In2{NNN}\")\n", c);
    run.L("\tRs.Update\n\n");
    run.S("model-4");
    run.L("\n\n");
    VornString deletion(query);
    deletion.ReplaceAll("select * from", "delete from");
    run.L(deletion);
    run.L("\n");
    run.S("model-5");
    run.L("\n\n");
    for (const WebColumn& c : f.left)
        run.Col("\tif Trim(MyData(\"In1{NNN}\")) = \"\" then\n"
                "\t\tErrMessage = \"{NAME}を入力して下さい\"\n"
                "\tend if\n",
                c);
    run.L("\n");
    run.S("model-6");
    run.L("\n");
    run.Write("model.inc");
    run.Single("frame.htm");
    run.Single("control.asp");
    run.Single(kAsp, "viewmessage.inc", "viewmessage.inc");
}

// The client check of one button of フレーム行マスタメンテ.
void RowCheck(Run& run, int button, const char* suffix, const char* alertText, const char* question)
{
    VornString line;
    line.Format("\tif ButtonFlg = %d then\n", button);
    run.L(line);
    for (const WebColumn& c : run.Fields().left) {
        VornString check("\t\tif Trim( document.all(\"In1{NNN}");
        check.Append(suffix);
        check.Append("\").value ) = \"\" then\n\t\t\talert(\"");
        check.Append(alertText);
        check.Append("\")\n\t\t\tfrmMain_onSubmit = false\n\t\t\texit function\n\t\tend if\n");
        run.Col(check, c);
    }
    line = "\t\tif not confirm( \"";
    line.Append(question);
    line.Append("\" ) then\n\t\t\tfrmMain_onSubmit = false\n\t\t\texit function\n\t\tend if\n\tend if\n\n");
    run.L(line);
}

void SpanCell(Run& run, const WebColumn& c, bool link)
{
    run.L("\tOutData = OutData & \"<TD class=MyCell>\"\n");
    if (link)
        run.L("\tOutData = OutData & \"<SPAN style='cursor:hand;color:blue;text-decoration:underline'\"\n"
              "\tOutData = OutData & \" onClick='Call TransferData(\" & nRow & \")'\"\n"
              "\tOutData = OutData & \">\"\n");
    run.Col("\tOutData = OutData &  Rs.Fields(\"{NAME}\").Value & \"\"\n", c);
    if (link)
        run.L("\tOutData = OutData & \"</SPAN>\"\n");
    run.L("\tOutData = OutData & \"</TD>\"\n");
}

void BuildFrameRowMaintenance(Run& run)
{
    const WebFields& f = run.Fields();
    std::vector<WebColumn> all(f.left);
    all.insert(all.end(), f.right.begin(), f.right.end());

    run.S("view-1");
    run.L("\n\n");
    RowCheck(run, 1, "New", "{NAME}を入力して下さい", "新規登録を行いますか?");
    RowCheck(run, 2, "Upd", "修正データを選択して下さい", "修正更新を行いますか?");
    run.S("view-2");
    run.L("\n");
    run.L("<TR>\n");
    for (const WebColumn& c : all)
        TitleCell(run, c);
    run.L("<TD class=MyTitle nowrap colspan=2></TD>\n</TR>\n<TR>\n");
    for (const WebColumn& c : all)
        InputCell(run, c, "In1", "New", true);
    run.L("<TD class=MyEntry>\n\t<INPUT type=submit name=send value=\"新規\" onClick='ButtonFlg=1'>\n</TD>\n"
          "<TD class=MyEntry rowspan=2>\n\t<INPUT\n\t\ttype=button\n\t\tvalue=\"Cancel\"\n"
          "\t\tonClick='top.location=\"frame.htm\"'\n\t>\n</TD>\n</TR>\n<TR>\n");
    for (const WebColumn& c : f.left)
        InputCell(run, c, "In1", "Upd", true, "\t\treadonly\n\t\tstyle='background-color:silver'\n");
    for (const WebColumn& c : f.right)
        InputCell(run, c, "In1", "Upd", true);
    run.L("<TD class=MyEntry>\n\t<INPUT type=submit name=send value=\"修正\" onClick='ButtonFlg=2'>\n</TD>\n</TR>\n");
    run.S("view-3");
    run.L("\n");
    run.Write("view.inc");

    run.S("view2-1");
    run.L("\n\n");
    for (size_t i = 0; i < all.size(); ++i)
        run.Col("\tparent.HeadFrame.document.all(\"In1{NNN}Upd\").value = _\n"
                "\t\tdocument.all(\"TableData\").rows(nRow).cells({i}).innerText\n",
                all[i], static_cast<int>(i));
    run.L("\n");
    run.S("view2-2");
    run.L("\n");
    for (const WebColumn& c : all)
        HeaderCell(run, c);
    run.S("view2-3");
    run.L("\n");
    run.Write("view2.inc");

    run.S("model-1");
    run.L("\n\n");
    VornString order;
    for (const WebColumn& c : f.left) {
        if (!order.IsEmpty())
            order.Append(",");
        order.Append(c.name);
    }
    run.Table("\tQuery = \"select * from {TABLE} order by ");
    run.L(order);
    run.L("\"\n\n");
    run.S("model-2");
    run.L("\n\n");
    for (const WebColumn& c : f.left)
        SpanCell(run, c, true);
    for (const WebColumn& c : f.right)
        SpanCell(run, c, false);
    run.L("\n");
    run.S("model-3");
    run.L("\n\n");
    run.L("\tif MyData( \"send\" ) = \"新規\" then\n");
    run.L(KeyQuery(f, "New", "\t\t"));
    run.L("\n\n\t\tif DBGet( Cn, Rs, Query, True ) then\n"
          "\t\t\tErrMessage = \"入力されたデータは既に存在します\"\n"
          "\t\t\tExit Function\n\t\tend if\n\t\tRs.AddNew\n");
    for (const WebColumn& c : all)
        run.Col("\t\tCall SetField(\"{NAME}\",\"In1{NNN}New\")\n", c);
    run.L("\tend if\n\n");
    run.L("\tif MyData( \"send\" ) = \"修正\" then\n");
    run.L(KeyQuery(f, "Upd", "\t\t"));
    run.L("\n\n\t\tif not DBGet( Cn, Rs, Query, True ) then\n"
          "\t\t\tErrMessage = \"対象データが存在しません\"\n"
          "\t\t\tExit Function\n\t\tend if\n");
    for (const WebColumn& c : f.right)
        run.Col("\t\tCall SetField(\"{NAME}\",\"In1{NNN}Upd\")\n", c);
    run.L("\tend if\n\tRs.Update\n\n");
    run.S("model-4");
    run.L("\n");
    run.Write("model.inc");
    run.Single("frame.htm");
    run.Single("control.asp");
    run.Single(kAsp, "viewmessage.inc", "viewmessage.inc");
}

void BuildSignUp(Run& run)
{
    const WebFields& f = run.Fields();
    run.S("view1-1");
    run.L("\n");
    for (const WebColumn& c : f.right) {
        run.L("<TR>\n");
        BoldTitleCell(run, c);
        InputCell(run, c, "In1", "", true);
        run.L("</TR>\n");
    }
    run.S("view1-2");
    run.L("\n");
    run.Write("view1.inc");

    run.S("view2-1");
    run.L("\n");
    for (const WebColumn& c : f.right) {
        run.L("<TR>\n");
        BoldTitleCell(run, c);
        run.Col("<TD class=MyEntry>\n\t\t<%= MyData(\"In1{NNN}\") %>\n</TD>\n", c);
        run.L("</TR>\n");
    }
    run.S("view2-2");
    run.L("\n");
    run.Write("view2.inc");

    run.S("model-1");
    run.L("\n\n");
    run.L(KeyQuery(f, ""));
    run.L("\n\n");
    run.S("model-2");
    run.L("\n\n");
    for (const WebColumn& c : f.right)
        run.Col("\tCall SetField(\"{NAME}\",\"In1{NNN}\")\n", c);
    run.L("\n");
    run.S("model-3");
    run.L("\n\n");
    for (const WebColumn& c : f.left)
        run.Col("\tif Trim( MyData(\"In1{NNN}\")) = \"\" then\n"
                "\t\tErrMessage = \"{NAME}を入力して下さい\"\n"
                "\t\tExit Function\n"
                "\tend if\n\n",
                c);
    run.S("model-4");
    run.L("\n\n");
    run.Write("model.inc");
    run.Single("frame.htm");
    run.Single("page1.asp");
    run.Single("page2.asp");
    run.Single("page3.asp");
    run.Single(kAsp, "viewmessage.inc", "viewmessage.inc");
}

void BuildBulkDelete(Run& run)
{
    const WebFields& f = run.Fields();
    run.S("view-1");
    run.L("\n");
    for (const WebColumn& c : f.right)
        run.Col("<TH class=MyHead>{NAME}</TH>\n", c);
    run.S("view-2");
    run.L("\n");
    run.Write("view.inc");

    run.S("model-1");
    run.L("\n");
    run.Table("\t\tQuery = \"delete from {TABLE}\"\n");
    for (size_t i = 0; i < f.left.size(); ++i) {
        run.Col(i == 0 ? "\t\tQuery = Query & \" where {NAME} = \"\n" : "\t\tQuery = Query & \" and {NAME} = \"\n",
                f.left[i]);
        run.Col("\t\tQuery = Query & Ss( aKey({i}) )\n", f.left[i], static_cast<int>(i));
    }
    run.L("\n");
    run.S("model-2");
    run.L("\n\n");
    run.Table("\tQuery = \"select * from {TABLE}\"\n");
    run.S("model-3");
    run.L("\n\n");
    for (size_t i = 0; i < f.left.size(); ++i) {
        if (i > 0)
            run.L("\tstrKey = strKey & vbTab\n");
        run.Col("\tstrKey = strKey & Rs.Fields(\"{NAME}\").Value\n", f.left[i]);
    }
    run.L("\tOutData = OutData &  Dd(strKey)\n\n");
    run.S("model-4");
    run.L("\n\n");
    for (const WebColumn& c : f.right)
        run.Col("\tOutData = OutData & \"<TD class=MyCell>\"\n"
                "\tOutData = OutData & Rs.Fields(\"{NAME}\").Value\n"
                "\tOutData = OutData & \"</TD>\"\n",
                c);
    run.L("\n");
    run.S("model-5");
    run.L("\n\n");
    run.Write("model.inc");
    run.Single("frame.htm");
    run.Single("control.asp");
}

void BuildCommonFiles(Run& run)
{
    for (const char* name : {"global.asa", "common.inc", "dbSS.inc", "style.css", "excel.vbs", "fs.vbs"})
        run.Single(kAsp, name, name);
}

void BuildMenu(Run& run, const WebMenuOptions& menu)
{
    run.Single("model.inc");
    const char* view = menu.columns == 1 ? "view-1.inc" : menu.columns == 2 ? "view-2.inc" : "view-3.inc";
    run.Single(FactsOf(WebKind::Menu).templateTable, view, "view.inc");
    run.S("index.asp");
    run.L("\n");
    run.Page().ReplaceAll("$MENU", menu.title);
    run.Write("index.asp");
}

}  // namespace

VornString FillLine(const char* pattern, const WebColumn& column, const char* table, int index, int width)
{
    if (width < 0)
        width = ColumnWidth(column);
    struct Word {
        const char* word;
        VornString value;
    } words[] = {
        {"{NAME}", column.name},     {"{NNN}", ColumnNnn(column)}, {"{WIDTH}", Number(width)},
        {"{W2}", Number(width + 2)}, {"{TABLE}", table},           {"{i1}", Number(index + 1)},
        {"{i}", Number(index)},
    };
    VornString line;
    const char* p = pattern;
    while (*p) {
        bool replaced = false;
        if (*p == '{')
            for (const Word& w : words) {
                size_t length = std::strlen(w.word);
                if (std::strncmp(p, w.word, length) == 0) {
                    line.Append(w.value);
                    p += length;
                    replaced = true;
                    break;
                }
            }
        if (!replaced) {
            size_t length = sjis::CharLength(p);
            line.Append(p, length);
            p += length;
        }
    }
    return line;
}

WebRunStatus BuildWebFiles(WebKind kind, const WebFields& fields, const WebMenuOptions& menu, TemplateStore& store,
                           const WebFileSink& sink)
{
    Run run(store, FactsOf(kind).templateTable, fields, sink);
    switch (kind) {
    case WebKind::CommonFiles: BuildCommonFiles(run); break;
    case WebKind::Menu: BuildMenu(run, menu); break;
    case WebKind::FrameQuery: BuildFrameQuery(run); break;
    case WebKind::FrameMaintenance: BuildFrameMaintenance(run); break;
    case WebKind::FrameRowMaintenance: BuildFrameRowMaintenance(run); break;
    case WebKind::SignUp: BuildSignUp(run); break;
    case WebKind::IePrint: BuildIePrint(run); break;
    case WebKind::ExcelPrint: BuildExcelPrint(run); break;
    case WebKind::BulkDelete: BuildBulkDelete(run); break;
    }
    return run.Status();
}
