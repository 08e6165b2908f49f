// The generators' files, byte for byte, over a store whose sections only name themselves,
// so that every generated line and the place of every section show.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "webgen/PageBuilders.h"

namespace {

class NamingStore : public TemplateStore {
public:
    SectionStatus ReadSection(const char* table, const char* key, VornString& text) override
    {
        std::string name = std::string(table) + ":" + key;
        reads.push_back(name);
        if (name == missing)
            return SectionStatus::Missing;
        text = ("[" + name + "]").c_str();
        return SectionStatus::Found;
    }
    std::string missing;
    std::vector<std::string> reads;
};

WebColumn Column(int ordinal, const char* name, const char* type, const char* length)
{
    WebColumn column;
    column.ordinal = ordinal;
    column.name = name;
    column.typeName = type;
    column.maxLength = length;
    return column;
}

const WebColumn kNumber = Column(1, "社員番号", "int4", "10");
const WebColumn kName = Column(2, "氏名", "varchar", "40");
const WebColumn kJoined = Column(7, "入社日", "date", "10");
const WebColumn kNote = Column(12, "備考", "VARCHAR2", "200");

using Files = std::vector<std::pair<std::string, std::string>>;

Files Build(WebKind kind, const std::vector<WebColumn>& left, const std::vector<WebColumn>& right,
            NamingStore& store, WebRunStatus expected = WebRunStatus::Done)
{
    WebFields fields;
    fields.table = "社員";
    fields.left = left;
    fields.right = right;
    Files files;
    WebRunStatus status = BuildWebFiles(kind, fields, WebMenuOptions(), store,
                                        [&](const char* name, const VornString& text) {
                                            files.emplace_back(name, text.Text());
                                        });
    EXPECT_EQ(expected, status);
    return files;
}

std::vector<std::string> Names(const Files& files)
{
    std::vector<std::string> names;
    for (const auto& file : files)
        names.push_back(file.first);
    return names;
}

std::string FileText(const Files& files, const char* name)
{
    for (const auto& file : files)
        if (file.first == name)
            return file.second;
    return "<not written>";
}

// The input cells as the pages must spell them.
std::string Input(const char* name, const char* sizes = "", const char* afterName = "")
{
    return std::string("<TD class=MyEntry>\n\t<INPUT\n\t\ttype=text\n\t\tname=") + name + "\n" + afterName + sizes +
           "\t\tvalue=\"<%= MyData(\"" + name + "\") %>\"\n\t>\n</TD>\n";
}

const char kName42[] = "\t\tmaxlength=40\n\t\tsize=42\n";
const char kNote202[] = "\t\tmaxlength=200\n\t\tsize=202\n";
const char kNumber8[] = "\t\tmaxlength=6\n\t\tsize=8\n";
const char kJoined22[] = "\t\tmaxlength=20\n\t\tsize=22\n";

const char kFuzzy[] =
    "\tif MyData(\"In1002\") <> \"\" then\n"
    "\t\tCall SetCond( strCond )\n"
    "\t\tstrCond = strCond & \"氏名 like '%\" & MyData(\"In1002\") & \"%'\"\n"
    "\tend if\n\n"
    "\tif MyData(\"In1012\") <> \"\" then\n"
    "\t\tCall SetCond( strCond )\n"
    "\t\tstrCond = strCond & \"備考 like '%\" & MyData(\"In1012\") & \"%'\"\n"
    "\tend if\n\n";

const char kResults[] =
    "\tOutData = OutData & \"<TD class=MyCell>\"\n"
    "\tOutData = OutData &  Rs.Fields(\"社員番号\").Value & \"\"\n"
    "\tOutData = OutData & \"</TD>\" & vbCrLf\n\n"
    "\tOutData = OutData & \"<TD class=MyCell>\"\n"
    "\tOutData = OutData &  Rs.Fields(\"入社日\").Value & \"\"\n"
    "\tOutData = OutData & \"</TD>\" & vbCrLf\n\n";

const std::string kSearchInputs = std::string("<TD class=MyTitle nowrap>氏名</TD>\n") + Input("In1002") +
                                  "<TD class=MyTitle nowrap>備考</TD>\n" + Input("In1012");
const char kDisplayHeads[] = "<TH class=MyHead nowrap>社員番号</TH>\n<TH class=MyHead nowrap>入社日</TH>\n";

}  // namespace

TEST(WebColumnValues, NumberWidthAndSearchRules)
{
    EXPECT_STREQ("007", ColumnNnn(kJoined));
    EXPECT_STREQ("012", ColumnNnn(kNote));
    struct {
        const char* type;
        const char* length;
        int width;
        bool fuzzy;
    } cases[] = {
        {"varchar", "40", 40, true},   {"VARCHAR2", "9", 9, false},   {"nvarchar", " 10", 10, true},
        {"date", "10", 20, false},     {"DateTime", "23", 20, false}, {"int4", "10", 6, false},
        {"bpchar", "40", 6, false},    {"text", "8190", 6, false},
    };
    for (const auto& c : cases) {
        WebColumn column = Column(3, "列", c.type, c.length);
        EXPECT_EQ(c.width, ColumnWidth(column)) << c.type;
        EXPECT_EQ(c.fuzzy, IsFuzzySearchColumn(column)) << c.type;
    }
    // IE印刷: a VARCHAR(8) column with a 12-byte name prints 12 wide; DATE 20, integers 6.
    EXPECT_EQ(12, PrintColumnWidth(Column(1, "担当者の氏名", "VARCHAR", "8")));
    EXPECT_EQ(20, PrintColumnWidth(Column(1, "日付", "date", "10")));
    EXPECT_EQ(6, PrintColumnWidth(Column(1, "no", "integer", "10")));

    DefinitionRows definition(2, EmptyDefinitionRow());
    definition[1][kDefName] = "氏名";
    definition[1][kDefTypeName] = "varchar";
    definition[1][kDefSize] = "40";
    std::vector<WebColumn> columns = ColumnsFromDefinition(definition);
    ASSERT_EQ(2u, columns.size());
    EXPECT_EQ(2, columns[1].ordinal);
    EXPECT_EQ(40, ColumnWidth(columns[1]));
}

TEST(WebPlaceholders, FilledInOnePassAndWholeCharacters)
{
    // 表 (0x95 0x5C) and ソ (0x83 0x5C) end in a backslash byte; ｛ would be no brace either.
    WebColumn column = Column(5, "{NNN}表ソ", "varchar", "3");
    EXPECT_STREQ("{NNN}表ソ 005 3 5 T 1 0 {X}", FillLine("{NAME} {NNN} {WIDTH} {W2} {TABLE} {i1} {i} {X}", column, "T"));
    EXPECT_STREQ("8 10", FillLine("{WIDTH} {W2}", column, "T", 0, 8));
}

TEST(WebPages, FrameQueryFiles)
{
    NamingStore store;
    Files files = Build(WebKind::FrameQuery, {kName, kNote}, {kNumber, kJoined}, store);
    EXPECT_EQ((std::vector<std::string>{"view.inc", "view2.inc", "model.inc", "frame.htm", "control.asp",
                                        "viewmessage.inc"}),
              Names(files));
    EXPECT_EQ("[ASP:view-1]\n" + kSearchInputs + "[ASP:view-2]\n", FileText(files, "view.inc"));
    EXPECT_EQ(std::string("[ASP:view2-1]\n") + kDisplayHeads + "\n[ASP:view2-2]\n", FileText(files, "view2.inc"));
    EXPECT_EQ(std::string("[ASP:model-1]\n\tQuery = \"select * from 社員\"\n\n") + kFuzzy + "[ASP:model-2]\n" +
                  kResults + "[ASP:model-3]\n",
              FileText(files, "model.inc"));
    EXPECT_EQ("[ASP:frame.htm]\n", FileText(files, "frame.htm"));
    EXPECT_EQ("[ASP:control.asp]\n", FileText(files, "control.asp"));
    EXPECT_EQ("[ASP:viewmessage.inc]\n", FileText(files, "viewmessage.inc"));
}

TEST(WebPages, ExcelPrintFiles)
{
    NamingStore store;
    Files files = Build(WebKind::ExcelPrint, {kName, kNote}, {kNumber, kJoined}, store);
    EXPECT_EQ((std::vector<std::string>{"view.inc", "view2.inc", "model.inc", "frame.htm", "excel.htm", "control.asp",
                                        "viewmessage.inc"}),
              Names(files));
    EXPECT_EQ("[ASP:view-1]\n" + kSearchInputs + "[ASP:view-2]\n", FileText(files, "view.inc"));
    EXPECT_EQ(std::string("[ASPExcelPrint:view2-1]\n\n"
                          "\t\tCall ExcelSetCell( MyBook, TargetSheet, nPosX+1, nPosY, "
                          "Table.rows(nPosY).cells(0).innerText )\n"
                          "\t\tCall ExcelSetCell( MyBook, TargetSheet, nPosX+2, nPosY, "
                          "Table.rows(nPosY).cells(1).innerText )\n"
                          "\n[ASPExcelPrint:view2-1-2]\n") +
                  kDisplayHeads + "\n[ASP:view2-2]\n",
              FileText(files, "view2.inc"));
    EXPECT_EQ(std::string("[ASP:model-1]\n\tQuery = \"select * from 社員\"\n\n") + kFuzzy + "[ASP:model-2]\n" +
                  kResults + "[ASP:model-3]\n",
              FileText(files, "model.inc"));
    EXPECT_EQ("[ASPExcelPrint:frame.htm]\n", FileText(files, "frame.htm"));
    EXPECT_EQ("[ASPExcelPrint:excel.htm]\n", FileText(files, "excel.htm"));
    EXPECT_EQ("[ASP:control.asp]\n", FileText(files, "control.asp"));
    EXPECT_EQ("[ASP:viewmessage.inc]\n", FileText(files, "viewmessage.inc"));
}

TEST(WebPages, IePrintFiles)
{
    NamingStore store;
    Files files = Build(WebKind::IePrint, {kName, kNote}, {kNumber, kJoined}, store);
    EXPECT_EQ((std::vector<std::string>{"view.inc", "model.inc", "frame.htm", "control.asp", "view2.inc",
                                        "viewmessage.inc"}),
              Names(files));
    EXPECT_EQ("[ASPIEPRint:view-1]\n" + kSearchInputs + "[ASPIEPRint:view-2]\n", FileText(files, "view.inc"));
    // 社員番号 is 8 bytes, wider than an integer's 6: 10 + 22 = 32 dashes.
    EXPECT_EQ(std::string("[ASPIEPRint:model-1]\n\n\tQuery = \"select * from 社員\"\n\n") + kFuzzy +
                  "[ASPIEPRint:model-2]\n\n"
                  "\tOutData = OutData & String( 25, \" \" )\n"
                  "\tOutData = OutData & \"＊＊ 社員一覧 ＊＊\"\n"
                  "\tOutData = OutData & String( 25, \" \" ) & Date()\n"
                  "\tOutData = OutData & \"  ページ:\" & Right(\"   \" & nPage,3)\n"
                  "\tOutData = OutData & vbCrLf & vbCrLf\n"
                  "\tOutData = OutData & ByteString( \"社員番号\", 8 + 2 )\n"
                  "\tOutData = OutData & ByteString( \"入社日\", 20 + 2 )\n"
                  "\tOutData = OutData & vbCrLf & String( 32, \"-\" ) & vbCrLf\n"
                  "\tnRow = 5\n\n"
                  "[ASPIEPRint:model-3]\n\n"
                  "\tOutData = OutData & FormatField( \"社員番号\", 8 )\n"
                  "\tOutData = OutData & \"  \"\n"
                  "\tOutData = OutData & FormatField( \"入社日\", 20 )\n"
                  "\tOutData = OutData & \"  \"\n"
                  "\tOutData = OutData & vbCrLf\n"
                  "\tnRow = nRow + 1\n\n"
                  "[ASPIEPRint:model-4]\n",
              FileText(files, "model.inc"));
    EXPECT_EQ("[ASPIEPRint:view2.inc]\n", FileText(files, "view2.inc"));
    EXPECT_EQ("[ASP:viewmessage.inc]\n", FileText(files, "viewmessage.inc"));
}

TEST(WebPages, FrameMaintenanceFiles)
{
    NamingStore store;
    Files files = Build(WebKind::FrameMaintenance, {kNumber, kJoined}, {kName, kNote}, store);
    EXPECT_EQ((std::vector<std::string>{"view.inc", "view2.inc", "model.inc", "frame.htm", "control.asp",
                                        "viewmessage.inc"}),
              Names(files));
    EXPECT_EQ("[ASPFrameMtn:view-1]\n\n"
              "\tdocument.getElementsByName(\"In1001\")(0).value = \"\"\n"
              "\tdocument.getElementsByName(\"In1007\")(0).value = \"\"\n"
              "\n[ASPFrameMtn:view-1-2]\n\n"
              "\tdocument.getElementsByName(\"In1001\")[0].value = \"\"\n"
              "\tdocument.getElementsByName(\"In1007\")[0].value = \"\"\n"
              "\n[ASPFrameMtn:view-2]\n"
              "<TD class=MyTitle nowrap>社員番号</TD>\n" +
                  Input("In1001", kNumber8) + "<TD class=MyTitle nowrap>入社日</TD>\n" + Input("In1007", kJoined22) +
                  "[ASPFrameMtn:view-3]\n",
              FileText(files, "view.inc"));
    EXPECT_EQ("[ASPFrameMtn:view2-1]\n"
              "<TR>\n<TD class=MyTitle nowrap style='font-weight:bold'>氏名</TD>\n" +
                  Input("In2002", kName42) +
                  "</TR>\n<TR>\n<TD class=MyTitle nowrap style='font-weight:bold'>備考</TD>\n" +
                  Input("In2012", kNote202) + "</TR>\n[ASPFrameMtn:view2-2]\n",
              FileText(files, "view2.inc"));
    const std::string query = "\tQuery = \"select * from 社員 where 社員番号 = \" & Ss(MyData(\"In1001\")) _ \n"
                              "\t& \" and 入社日 = \" & Ss(MyData(\"In1007\"))";
    const std::string deletion = "\tQuery = \"delete from 社員 where 社員番号 = \" & Ss(MyData(\"In1001\")) _ \n"
                                 "\t& \" and 入社日 = \" & Ss(MyData(\"In1007\"))";
    EXPECT_EQ("[ASPFrameMtn:model-1]\n\n" + query + "\n\n[ASPFrameMtn:model-2]\n\n"
                  "\tMyData(\"In2002\") = Rs.Fields(\"氏名\").Value & \"\"\n"
                  "\tMyData(\"In2012\") = Rs.Fields(\"備考\").Value & \"\"\n"
                  "\n[ASPFrameMtn:model-3]\n\n" +
                  query +
                  "\n\tif not DBGet( Cn, Rs, Query, True ) then\n"
                  "\t\tRs.AddNew\n"
                  "\t\tRs.Fields(\"社員番号\").value = MyData(\"In1001\")\n"
                  "\t\tRs.Fields(\"入社日\").value = MyData(\"In1007\")\n"
                  "\tend if\n\n"
                  "\tCall SetField(\"氏名\",\"In2002\")\n"
                  "\tCall SetField(\"備考\",\"In2012\")\n"
                  "\tRs.Update\n\n"
                  "[ASPFrameMtn:model-4]\n\n" +
                  deletion +
                  "\n[ASPFrameMtn:model-5]\n\n"
                  "\tif Trim(MyData(\"In1001\")) = \"\" then\n"
                  "\t\tErrMessage = \"社員番号を入力して下さい\"\n"
                  "\tend if\n"
                  "\tif Trim(MyData(\"In1007\")) = \"\" then\n"
                  "\t\tErrMessage = \"入社日を入力して下さい\"\n"
                  "\tend if\n"
                  "\n[ASPFrameMtn:model-6]\n",
              FileText(files, "model.inc"));
    EXPECT_EQ("[ASPFrameMtn:control.asp]\n", FileText(files, "control.asp"));
}

TEST(WebPages, FrameRowMaintenanceFiles)
{
    NamingStore store;
    // 入社日 is checked in both grids: it has two titles and two inputs of one name per row.
    Files files = Build(WebKind::FrameRowMaintenance, {kNumber, kJoined}, {kName, kJoined}, store);
    EXPECT_EQ((std::vector<std::string>{"view.inc", "view2.inc", "model.inc", "frame.htm", "control.asp",
                                        "viewmessage.inc"}),
              Names(files));
    const char* readOnly = "\t\treadonly\n\t\tstyle='background-color:silver'\n";
    EXPECT_EQ(std::string("[ASPFrameRowMtn:view-1]\n\n"
                          "\tif ButtonFlg = 1 then\n"
                          "\t\tif Trim( document.all(\"In1001New\").value ) = \"\" then\n"
                          "\t\t\talert(\"社員番号を入力して下さい\")\n"
                          "\t\t\tfrmMain_onSubmit = false\n"
                          "\t\t\texit function\n"
                          "\t\tend if\n"
                          "\t\tif Trim( document.all(\"In1007New\").value ) = \"\" then\n"
                          "\t\t\talert(\"入社日を入力して下さい\")\n"
                          "\t\t\tfrmMain_onSubmit = false\n"
                          "\t\t\texit function\n"
                          "\t\tend if\n"
                          "\t\tif not confirm( \"新規登録を行いますか?\" ) then\n"
                          "\t\t\tfrmMain_onSubmit = false\n"
                          "\t\t\texit function\n"
                          "\t\tend if\n"
                          "\tend if\n"
                          "\n"
                          "\tif ButtonFlg = 2 then\n"
                          "\t\tif Trim( document.all(\"In1001Upd\").value ) = \"\" then\n"
                          "\t\t\talert(\"修正データを選択して下さい\")\n"
                          "\t\t\tfrmMain_onSubmit = false\n"
                          "\t\t\texit function\n"
                          "\t\tend if\n"
                          "\t\tif Trim( document.all(\"In1007Upd\").value ) = \"\" then\n"
                          "\t\t\talert(\"修正データを選択して下さい\")\n"
                          "\t\t\tfrmMain_onSubmit = false\n"
                          "\t\t\texit function\n"
                          "\t\tend if\n"
                          "\t\tif not confirm( \"修正更新を行いますか?\" ) then\n"
                          "\t\t\tfrmMain_onSubmit = false\n"
                          "\t\t\texit function\n"
                          "\t\tend if\n"
                          "\tend if\n"
                          "\n"
                          "[ASPFrameRowMtn:view-2]\n"
                          "<TR>\n"
                          "<TD class=MyTitle nowrap>社員番号</TD>\n"
                          "<TD class=MyTitle nowrap>入社日</TD>\n"
                          "<TD class=MyTitle nowrap>氏名</TD>\n"
                          "<TD class=MyTitle nowrap>入社日</TD>\n"
                          "<TD class=MyTitle nowrap colspan=2></TD>\n"
                          "</TR>\n"
                          "<TR>\n") +
                  Input("In1001New", kNumber8) + Input("In1007New", kJoined22) + Input("In1002New", kName42) +
                  Input("In1007New", kJoined22) +
                  "<TD class=MyEntry>\n\t<INPUT type=submit name=send value=\"新規\" onClick='ButtonFlg=1'>\n</TD>\n"
                  "<TD class=MyEntry rowspan=2>\n\t<INPUT\n\t\ttype=button\n\t\tvalue=\"Cancel\"\n"
                  "\t\tonClick='top.location=\"frame.htm\"'\n\t>\n</TD>\n"
                  "</TR>\n"
                  "<TR>\n" +
                  Input("In1001Upd", kNumber8, readOnly) + Input("In1007Upd", kJoined22, readOnly) +
                  Input("In1002Upd", kName42) + Input("In1007Upd", kJoined22) +
                  "<TD class=MyEntry>\n\t<INPUT type=submit name=send value=\"修正\" onClick='ButtonFlg=2'>\n</TD>\n"
                  "</TR>\n"
                  "[ASPFrameRowMtn:view-3]\n",
              FileText(files, "view.inc"));
    EXPECT_EQ("[ASPFrameRowMtn:view2-1]\n\n"
              "\tparent.HeadFrame.document.all(\"In1001Upd\").value = _\n"
              "\t\tdocument.all(\"TableData\").rows(nRow).cells(0).innerText\n"
              "\tparent.HeadFrame.document.all(\"In1007Upd\").value = _\n"
              "\t\tdocument.all(\"TableData\").rows(nRow).cells(1).innerText\n"
              "\tparent.HeadFrame.document.all(\"In1002Upd\").value = _\n"
              "\t\tdocument.all(\"TableData\").rows(nRow).cells(2).innerText\n"
              "\tparent.HeadFrame.document.all(\"In1007Upd\").value = _\n"
              "\t\tdocument.all(\"TableData\").rows(nRow).cells(3).innerText\n"
              "\n[ASPFrameRowMtn:view2-2]\n"
              "<TH class=MyHead nowrap>社員番号</TH>\n"
              "<TH class=MyHead nowrap>入社日</TH>\n"
              "<TH class=MyHead nowrap>氏名</TH>\n"
              "<TH class=MyHead nowrap>入社日</TH>\n"
              "[ASPFrameRowMtn:view2-3]\n",
              FileText(files, "view2.inc"));
    auto linkCell = [](const char* name) {
        return std::string("\tOutData = OutData & \"<TD class=MyCell>\"\n"
                           "\tOutData = OutData & \"<SPAN style='cursor:hand;color:blue;text-decoration:underline'\"\n"
                           "\tOutData = OutData & \" onClick='Call TransferData(\" & nRow & \")'\"\n"
                           "\tOutData = OutData & \">\"\n"
                           "\tOutData = OutData &  Rs.Fields(\"") +
               name + "\").Value & \"\"\n\tOutData = OutData & \"</SPAN>\"\n\tOutData = OutData & \"</TD>\"\n";
    };
    auto plainCell = [](const char* name) {
        return std::string("\tOutData = OutData & \"<TD class=MyCell>\"\n\tOutData = OutData &  Rs.Fields(\"") + name +
               "\").Value & \"\"\n\tOutData = OutData & \"</TD>\"\n";
    };
    EXPECT_EQ("[ASPFrameRowMtn:model-1]\n\n"
              "\tQuery = \"select * from 社員 order by 社員番号,入社日\"\n\n"
              "[ASPFrameRowMtn:model-2]\n\n" +
                  linkCell("社員番号") + linkCell("入社日") + plainCell("氏名") + plainCell("入社日") +
                  "\n[ASPFrameRowMtn:model-3]\n\n"
                  "\tif MyData( \"send\" ) = \"新規\" then\n"
                  "\t\tQuery = \"select * from 社員 where 社員番号 = \" & Ss(MyData(\"In1001New\")) _ \n"
                  "\t& \" and 入社日 = \" & Ss(MyData(\"In1007New\"))\n"
                  "\n"
                  "\t\tif DBGet( Cn, Rs, Query, True ) then\n"
                  "\t\t\tErrMessage = \"入力されたデータは既に存在します\"\n"
                  "\t\t\tExit Function\n"
                  "\t\tend if\n"
                  "\t\tRs.AddNew\n"
                  "\t\tCall SetField(\"社員番号\",\"In1001New\")\n"
                  "\t\tCall SetField(\"入社日\",\"In1007New\")\n"
                  "\t\tCall SetField(\"氏名\",\"In1002New\")\n"
                  "\t\tCall SetField(\"入社日\",\"In1007New\")\n"
                  "\tend if\n"
                  "\n"
                  "\tif MyData( \"send\" ) = \"修正\" then\n"
                  "\t\tQuery = \"select * from 社員 where 社員番号 = \" & Ss(MyData(\"In1001Upd\")) _ \n"
                  "\t& \" and 入社日 = \" & Ss(MyData(\"In1007Upd\"))\n"
                  "\n"
                  "\t\tif not DBGet( Cn, Rs, Query, True ) then\n"
                  "\t\t\tErrMessage = \"対象データが存在しません\"\n"
                  "\t\t\tExit Function\n"
                  "\t\tend if\n"
                  "\t\tCall SetField(\"氏名\",\"In1002Upd\")\n"
                  "\t\tCall SetField(\"入社日\",\"In1007Upd\")\n"
                  "\tend if\n"
                  "\tRs.Update\n\n"
                  "[ASPFrameRowMtn:model-4]\n",
              FileText(files, "model.inc"));
}

TEST(WebPages, SignUpFiles)
{
    NamingStore store;
    Files files = Build(WebKind::SignUp, {kNumber}, {kNumber, kName}, store);
    EXPECT_EQ((std::vector<std::string>{"view1.inc", "view2.inc", "model.inc", "frame.htm", "page1.asp", "page2.asp",
                                        "page3.asp", "viewmessage.inc"}),
              Names(files));
    EXPECT_EQ("[ASPSignup:view1-1]\n"
              "<TR>\n<TD class=MyTitle nowrap style='font-weight:bold'>社員番号</TD>\n" +
                  Input("In1001", kNumber8) +
                  "</TR>\n<TR>\n<TD class=MyTitle nowrap style='font-weight:bold'>氏名</TD>\n" +
                  Input("In1002", kName42) + "</TR>\n[ASPSignup:view1-2]\n",
              FileText(files, "view1.inc"));
    EXPECT_EQ("[ASPSignup:view2-1]\n"
              "<TR>\n<TD class=MyTitle nowrap style='font-weight:bold'>社員番号</TD>\n"
              "<TD class=MyEntry>\n\t\t<%= MyData(\"In1001\") %>\n</TD>\n</TR>\n"
              "<TR>\n<TD class=MyTitle nowrap style='font-weight:bold'>氏名</TD>\n"
              "<TD class=MyEntry>\n\t\t<%= MyData(\"In1002\") %>\n</TD>\n</TR>\n"
              "[ASPSignup:view2-2]\n",
              FileText(files, "view2.inc"));
    EXPECT_EQ("[ASPSignup:model-1]\n\n"
              "\tQuery = \"select * from 社員 where 社員番号 = \" & Ss(MyData(\"In1001\"))\n\n"
              "[ASPSignup:model-2]\n\n"
              "\tCall SetField(\"社員番号\",\"In1001\")\n"
              "\tCall SetField(\"氏名\",\"In1002\")\n"
              "\n[ASPSignup:model-3]\n\n"
              "\tif Trim( MyData(\"In1001\")) = \"\" then\n"
              "\t\tErrMessage = \"社員番号を入力して下さい\"\n"
              "\t\tExit Function\n"
              "\tend if\n\n"
              "[ASPSignup:model-4]\n\n",
              FileText(files, "model.inc"));
    EXPECT_EQ("[ASPSignup:page3.asp]\n", FileText(files, "page3.asp"));
}

TEST(WebPages, BulkDeleteFiles)
{
    NamingStore store;
    Files files = Build(WebKind::BulkDelete, {kNumber, kJoined}, {kName}, store);
    EXPECT_EQ((std::vector<std::string>{"view.inc", "model.inc", "frame.htm", "control.asp"}), Names(files));
    EXPECT_EQ("[ASPAlldel:view-1]\n<TH class=MyHead>氏名</TH>\n[ASPAlldel:view-2]\n", FileText(files, "view.inc"));
    EXPECT_EQ("[ASPAlldel:model-1]\n"
              "\t\tQuery = \"delete from 社員\"\n"
              "\t\tQuery = Query & \" where 社員番号 = \"\n"
              "\t\tQuery = Query & Ss( aKey(0) )\n"
              "\t\tQuery = Query & \" and 入社日 = \"\n"
              "\t\tQuery = Query & Ss( aKey(1) )\n"
              "\n[ASPAlldel:model-2]\n\n"
              "\tQuery = \"select * from 社員\"\n"
              "[ASPAlldel:model-3]\n\n"
              "\tstrKey = strKey & Rs.Fields(\"社員番号\").Value\n"
              "\tstrKey = strKey & vbTab\n"
              "\tstrKey = strKey & Rs.Fields(\"入社日\").Value\n"
              "\tOutData = OutData &  Dd(strKey)\n"
              "\n[ASPAlldel:model-4]\n\n"
              "\tOutData = OutData & \"<TD class=MyCell>\"\n"
              "\tOutData = OutData & Rs.Fields(\"氏名\").Value\n"
              "\tOutData = OutData & \"</TD>\"\n"
              "\n[ASPAlldel:model-5]\n\n",
              FileText(files, "model.inc"));
}

TEST(WebPages, CommonFilesAndMenu)
{
    NamingStore store;
    Files common = Build(WebKind::CommonFiles, {}, {}, store);
    EXPECT_EQ((std::vector<std::string>{"global.asa", "common.inc", "dbSS.inc", "style.css", "excel.vbs", "fs.vbs"}),
              Names(common));
    EXPECT_EQ("[ASP:dbSS.inc]\n", FileText(common, "dbSS.inc"));

    class MenuStore : public TemplateStore {
    public:
        SectionStatus ReadSection(const char* table, const char* key, VornString& text) override
        {
            text = std::string(key) == "index.asp" ? "<TITLE>$MENU</TITLE><H1>$MENU</H1>" : key;
            return std::string(table) == "ASPMenu" ? SectionStatus::Found : SectionStatus::Unreachable;
        }
    } menuStore;
    for (int columns : {1, 2, 3}) {
        WebMenuOptions menu;
        menu.title = "業務メニュー $MENU";
        menu.columns = columns;
        Files files;
        EXPECT_EQ(WebRunStatus::Done,
                  BuildWebFiles(WebKind::Menu, WebFields(), menu, menuStore,
                                [&](const char* name, const VornString& text) { files.emplace_back(name, text.Text()); }));
        EXPECT_EQ((std::vector<std::string>{"model.inc", "view.inc", "index.asp"}), Names(files));
        EXPECT_EQ("model.inc\n", FileText(files, "model.inc"));
        EXPECT_EQ("view-" + std::to_string(columns) + ".inc\n", FileText(files, "view.inc"));
        // The title's own "$MENU" is not replaced again.
        EXPECT_EQ("<TITLE>業務メニュー $MENU</TITLE><H1>業務メニュー $MENU</H1>\n", FileText(files, "index.asp"));
    }
}

TEST(WebPages, MissingSectionStopsAtOnce)
{
    NamingStore store;
    store.missing = "ASPFrameMtn:model-3";
    Files files = Build(WebKind::FrameMaintenance, {kNumber}, {kName}, store, WebRunStatus::SectionMissing);
    EXPECT_EQ((std::vector<std::string>{"view.inc", "view2.inc"}), Names(files));
    EXPECT_EQ("ASPFrameMtn:model-3", store.reads.back()) << "nothing is read after the missing section";
}
