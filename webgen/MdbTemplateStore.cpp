#include "MdbTemplateStore.h"

#include <sys/stat.h>

#include "db/AdoConnection.h"
#include "db/AdoRecordset.h"

SectionStatus MdbTemplateStore::ReadSection(const char* table, const char* key, VornString& text)
{
    text.Clear();
    struct stat info;
    // A machine without the file should not pay for a driver that is asked in vain.
    if (stat(path_, &info) != 0)
        return SectionStatus::Unreachable;
    VornString connection("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=");
    connection.Append(path_);
    connection.Append(";Jet OLEDB:Database Password=FernoQuilt;");
    Connection database;
    if (FAILED(database.Open(connection)))
        return SectionStatus::Unreachable;
    VornString query("select テキスト from ");
    query.Append(table);
    query.Append(" where ターゲット = '");
    query.Append(key);
    query.Append("'");
    SectionStatus status = SectionStatus::Unreachable;
    {
        Recordset rows;
        if (SUCCEEDED(rows.Open(query, &database))) {
            status = SectionStatus::Missing;
            Field* field = rows.State() == ado::adStateOpen && !rows.Eof() ? rows.Fields().Item(0L) : nullptr;
            if (field) {
                Variant value;
                VariantCopy(&value.Get(), const_cast<VARIANT*>(&field->Value()));
                std::vector<char> bytes = value.ToText();
                text.Assign(bytes.data(), bytes.empty() ? 0 : bytes.size() - 1);
                text.ReplaceAll("\r\n", "\n");
                status = SectionStatus::Found;
            }
        }
    }
    database.Close();
    return status;
}

std::unique_ptr<TemplateStore> ProgramTemplateStore(const char* programFolder)
{
    return std::unique_ptr<TemplateStore>(new LayeredTemplateStore(
        std::unique_ptr<TemplateStore>(new MdbTemplateStore(WebPath(programFolder, "Kestrova.mdb"))),
        std::unique_ptr<TemplateStore>(new FolderTemplateStore(WebPath(programFolder, "Tool\\templates")))));
}
