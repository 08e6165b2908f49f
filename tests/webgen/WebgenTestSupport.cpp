#include "WebgenTestSupport.h"

DefinitionRows EmployeeDefinition()
{
    struct {
        const char* name;
        const char* type;
        const char* size;
        const char* key;
    } columns[] = {
        {"社員番号", "int4", "10", "1"}, {"氏名", "varchar", "40", ""},   {"部署コード", "bpchar", "4", ""},
        {"入社日", "date", "10", ""},    {"給与", "numeric", "12", ""},   {"評価点", "numeric", "28", ""},
        {"写真", "bytea", "255", ""},    {"備考", "text", "8190", ""},
    };
    DefinitionRows rows;
    int number = 0;
    for (const auto& c : columns) {
        DefinitionRow row = EmptyDefinitionRow();
        row[kDefNumber].Format("%2d", ++number);
        row[kDefName] = c.name;
        row[kDefTypeName] = c.type;
        row[kDefSize] = c.size;
        row[kDefPrimaryKey] = c.key;
        rows.push_back(row);
    }
    return rows;
}

WebFields EmployeeFields(WebKind kind)
{
    WebFields fields;
    fields.table = "社員";
    std::vector<WebColumn> all = ColumnsFromDefinition(EmployeeDefinition());
    fields.right = all;
    fields.left.push_back(FactsOf(kind).keyFields ? all[0] : all[1]);
    return fields;
}

std::string ShippedTemplates() { return std::string(KESTROVA_SHIPPED_DATA) + "/Tool/templates"; }
