#include "WebKinds.h"

#include <cstring>

#include "common/SjisText.h"

namespace {

const WebKindFacts kFacts[] = {
    {WebKind::CommonFiles, "共通ファイル", "", "ASP", false, false, false},
    {WebKind::Menu, "メニュー", "Menu", "ASPMenu", false, false, false},
    {WebKind::FrameQuery, "フレーム問合せ", "FrameReq", "ASP", true, false, false},
    {WebKind::FrameMaintenance, "フレームマスタメンテ", "FrameMtn", "ASPFrameMtn", true, true, true},
    {WebKind::FrameRowMaintenance, "フレーム行マスタメンテ", "FrameRowMtn", "ASPFrameRowMtn", true, true, true},
    {WebKind::SignUp, "サインアップ", "SignUp", "ASPSignup", true, true, true},
    {WebKind::IePrint, "IE印刷", "IEPrint", "ASPIEPRint", true, false, false},
    {WebKind::ExcelPrint, "Excel 印刷", "ExcelPrint", "ASPExcelPrint", true, false, false},
    {WebKind::BulkDelete, "一括行削除", "AllDel", "ASPAlldel", true, true, false},
};

long LengthValue(const VornString& text)
{
    VornString trimmed(text);
    trimmed.TrimBlanks();
    return trimmed.ToInteger();
}

}  // namespace

const WebKindFacts& FactsOf(WebKind kind)
{
    for (const WebKindFacts& facts : kFacts)
        if (facts.kind == kind)
            return facts;
    return kFacts[0];
}

const std::vector<WebKind>& AllWebKinds()
{
    static const std::vector<WebKind> kinds = [] {
        std::vector<WebKind> all;
        for (const WebKindFacts& facts : kFacts)
            all.push_back(facts.kind);
        return all;
    }();
    return kinds;
}

VornString ColumnNnn(const WebColumn& column)
{
    VornString text;
    text.Format("%03d", column.ordinal);
    return text;
}

int ColumnWidth(const WebColumn& column)
{
    if (column.typeName.FindIgnoreCase("VARCHAR") >= 0)
        return static_cast<int>(LengthValue(column.maxLength));
    if (column.typeName.FindIgnoreCase("DATE") >= 0)
        return 20;
    return 6;
}

int PrintColumnWidth(const WebColumn& column)
{
    int width = ColumnWidth(column);
    int nameBytes = static_cast<int>(column.name.Length());
    return nameBytes > width ? nameBytes : width;
}

bool IsFuzzySearchColumn(const WebColumn& column)
{
    return column.typeName.FindIgnoreCase("varchar") >= 0 && LengthValue(column.maxLength) >= 10;
}

std::vector<WebColumn> ColumnsFromDefinition(const DefinitionRows& definition)
{
    std::vector<WebColumn> columns;
    for (size_t i = 0; i < definition.size(); ++i) {
        const DefinitionRow& row = definition[i];
        WebColumn column;
        column.name = row[kDefName];
        // The grids give back the ordinal, and the facts are found again at ordinal - 1.
        column.ordinal = static_cast<int>(i + 1);
        column.typeName = row[kDefTypeName];
        column.maxLength = row[kDefSize];
        columns.push_back(column);
    }
    return columns;
}
