#include "ConnectionHistory.h"

#include <algorithm>
#include <cstring>

#include "common/SjisText.h"
#include "common/TokenList.h"

const char kOtherDsnMissingMessage[] = "DSNを指定して下さい　　";
const char kServerMissingMessage[] = "サーバーを入力して下さい　　";
const char kDsnMissingMessage[] = "DSN を入力して下さい　　";
const char kUserMissingMessage[] = "ユーザーを入力して下さい　　";
const char kOdbcAdministratorCommand[] = "RunDLL32.EXE shell32.dll,Control_RunDLL odbccp32.cpl";

namespace {

const char kLastConnectKey[] = "LastConnect";

// The first count - 1 comma-separated fields; the last one keeps the rest with its commas.
std::vector<VornString> SplitFields(const char* text, int count)
{
    std::vector<VornString> fields(static_cast<size_t>(count));
    const char* p = text ? text : "";
    for (int i = 0; i < count - 1; ++i) {
        long comma = sjis::FindChar(p, ',');
        if (comma < 0) {
            fields[static_cast<size_t>(i)].Assign(p);
            return fields;
        }
        fields[static_cast<size_t>(i)].Assign(p, static_cast<size_t>(comma));
        p += comma + 1;
    }
    fields[static_cast<size_t>(count - 1)].Assign(p);
    return fields;
}

bool IsHistoryKey(const char* key)
{
    return sjis::UpperAscii(key[0]) == 'C' && sjis::UpperAscii(key[1]) == 'N';
}

VornString UpperCopy(const char* text)
{
    VornString copy(text ? text : "");
    copy.UpperCase();
    return copy;
}

void WriteFlag(ProfileStore& settings, const char* section, const char* key, bool on)
{
    settings.Write(section, key, on ? "1" : "0");
}

bool ReadFlag(const ProfileStore& settings, const char* section, const char* key)
{
    VornString value;
    return settings.Read(section, key, value) && value.Equals("1");
}

}  // namespace

bool IsFileKind(DatabaseKind kind) { return kind == DatabaseKind::Excel || kind == DatabaseKind::Mdb; }

bool HasDatabaseField(DatabaseKind kind)
{
    return kind == DatabaseKind::SqlServer || kind == DatabaseKind::MySql || kind == DatabaseKind::Postgres;
}

// Flags

ConnectFlags ConnectFlags::Load(const ProfileStore& settings, DatabaseKind kind)
{
    ConnectFlags flags;
    const char* section = KindSectionName(kind);
    switch (kind) {
    case DatabaseKind::Excel:
        flags.noHeader = ReadFlag(settings, section, "NoHdr");
        flags.hideSheets = ReadFlag(settings, section, "Hide");
        break;
    case DatabaseKind::SqlServer:
        flags.noSystemTable = ReadFlag(settings, section, "NoSystemTable");
        flags.noSystemView = ReadFlag(settings, section, "NoSystemView");
        break;
    case DatabaseKind::Postgres:
        flags.noSystemCatalog = ReadFlag(settings, section, "NoSystemCatalog");
        break;
    default:
        break;
    }
    return flags;
}

void ConnectFlags::Write(ProfileStore& settings, DatabaseKind kind) const
{
    const char* section = KindSectionName(kind);
    switch (kind) {
    case DatabaseKind::Excel:
        WriteFlag(settings, section, "NoHdr", noHeader);
        WriteFlag(settings, section, "Hide", hideSheets);
        break;
    case DatabaseKind::SqlServer:
        WriteFlag(settings, section, "NoSystemTable", noSystemTable);
        WriteFlag(settings, section, "NoSystemView", noSystemView);
        break;
    case DatabaseKind::Postgres:
        WriteFlag(settings, section, "NoSystemCatalog", noSystemCatalog);
        break;
    default:
        break;
    }
}

void ConnectFlags::CopyTo(ConnectionRecord& record, DatabaseKind kind) const
{
    switch (kind) {
    case DatabaseKind::Excel:
        record.noHeader = noHeader;
        record.hideSheets = hideSheets;
        break;
    case DatabaseKind::SqlServer:
        record.noSystemTable = noSystemTable;
        record.noSystemView = noSystemView;
        break;
    case DatabaseKind::Postgres:
        record.noSystemCatalog = noSystemCatalog;
        break;
    default:
        break;
    }
}

void LoadExcelFlags(const ProfileStore& settings, ConnectionRecord& record)
{
    ConnectFlags::Load(settings, DatabaseKind::Excel).CopyTo(record, DatabaseKind::Excel);
}

// Fields and arguments

ConnectFields SplitArgument(DatabaseKind kind, const char* argument)
{
    ConnectFields fields;
    if (IsFileKind(kind)) {
        fields.path.Assign(argument ? argument : "");
        return fields;
    }
    if (kind == DatabaseKind::Oracle) {
        std::vector<VornString> parts = SplitFields(argument, 3);
        fields.server = parts[0];
        fields.user = parts[1];
        fields.password = parts[2];
    } else {
        std::vector<VornString> parts = SplitFields(argument, 4);
        fields.server = parts[0];
        fields.database = parts[1];
        fields.user = parts[2];
        fields.password = parts[3];
    }
    return fields;
}

VornString TrimSpaces(const char* text)
{
    const char* source = text ? text : "";
    size_t end = sjis::TrimmedEnd(source, std::strlen(source), " ", true);
    size_t start = sjis::TrimmedStart(source, end, " ", true);
    VornString trimmed;
    trimmed.Assign(source + start, end - start);
    return trimmed;
}

BuiltArgument BuildServerArgument(DatabaseKind kind, const ConnectFields& fields)
{
    BuiltArgument built;
    VornString server = TrimSpaces(fields.server);
    if (server.IsEmpty()) {
        built.message = kind == DatabaseKind::SqlServer ? kServerMissingMessage : kDsnMissingMessage;
        built.missing = BuiltArgument::Server;
        return built;
    }
    built.argument = server;
    built.argument.Append(",");
    if (HasDatabaseField(kind)) {
        built.argument.Append(fields.database);
        built.argument.Append(",");
    }
    VornString user = TrimSpaces(fields.user);
    if (user.IsEmpty()) {
        built.argument.Clear();
        built.message = kUserMissingMessage;
        built.missing = BuiltArgument::User;
        return built;
    }
    built.argument.Append(user);
    built.argument.Append(",");
    built.argument.Append(fields.password);
    return built;
}

BuiltArgument BuildOtherDsn(const char* text)
{
    BuiltArgument built;
    built.argument = TrimSpaces(text);
    if (built.argument.IsEmpty()) {
        built.message = kOtherDsnMissingMessage;
        built.missing = BuiltArgument::OtherDsn;
    }
    return built;
}

VornString ConnectedTitle(const char* applicationTitle, DatabaseKind kind, const char* argument)
{
    VornString title(applicationTitle ? applicationTitle : "");
    title.Append(KindTitleTag(kind));
    title.Append(argument ? argument : "");
    return title;
}

// History

std::vector<const char*> ConnectionHistory::ColumnTitles(DatabaseKind kind)
{
    switch (kind) {
    case DatabaseKind::Excel:
    case DatabaseKind::Mdb:
        return {"№", "ファイル名", "パス"};
    case DatabaseKind::SqlServer:
        return {"サーバー", "DB", "ユーザー"};
    case DatabaseKind::MySql:
    case DatabaseKind::Postgres:
        return {"DSN", "DB", "ユーザー"};
    case DatabaseKind::Oracle:
        return {"DSN", "ユーザー"};
    default:
        return {};
    }
}

HistoryRow ConnectionHistory::MakeRow(const char* argument) const
{
    HistoryRow row;
    if (IsFileKind(kind_)) {
        VornString name(argument);
        name.StripPath();
        row.cells.emplace_back();
        row.cells.push_back(name);
        row.cells.emplace_back(argument);
        return row;
    }
    ConnectFields fields = SplitArgument(kind_, argument);
    row.cells.push_back(fields.server);
    if (HasDatabaseField(kind_))
        row.cells.push_back(fields.database);
    row.cells.push_back(fields.user);
    row.password = fields.password;
    return row;
}

void ConnectionHistory::Renumber()
{
    if (!IsFileKind(kind_))
        return;
    long number = 1;
    for (HistoryRow& row : rows_)
        row.cells[0].Format("%2ld", number++);
}

void ConnectionHistory::Load(const ProfileStore& settings)
{
    rows_.clear();
    TokenList lines = settings.SectionLines(KindSectionName(kind_));
    for (int i = 0; i < lines.Count(); ++i) {
        const char* line = lines[i];
        long equals = sjis::FindChar(line, '=');
        if (equals < 2 || !IsHistoryKey(line))
            continue;
        // An entry emptied by hand would connect to nothing: it is not a connection.
        const char* value = line + equals + 1;
        if (*value)
            rows_.push_back(MakeRow(value));
    }
    Renumber();
}

void ConnectionHistory::Add(const char* argument)
{
    rows_.push_back(MakeRow(argument ? argument : ""));
    Renumber();
}

void ConnectionHistory::Remove(std::vector<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
        if (*it >= 0 && *it < Count())
            rows_.erase(rows_.begin() + *it);
    Renumber();
}

VornString ConnectionHistory::Argument(int index) const
{
    const HistoryRow& row = Row(index);
    if (IsFileKind(kind_))
        return row.cells[2];
    VornString argument;
    for (const VornString& cell : row.cells) {
        argument.Append(cell);
        argument.Append(",");
    }
    argument.Append(row.password);
    return argument;
}

int ConnectionHistory::Save(ProfileStore& settings, const char* argument, const char* lastConnect,
                            const ConnectFlags& flags, ConnectionRecord* record) const
{
    const char* section = KindSectionName(kind_);
    const char* newArgument = argument ? argument : "";
    settings.DeleteSection(section);
    if (lastConnect && *lastConnect)
        settings.Write(section, kLastConnectKey, lastConnect);
    flags.Write(settings, kind_);
    if (record)
        flags.CopyTo(*record, kind_);

    VornString wanted = UpperCopy(newArgument);
    bool matched = false;
    int number = 0;
    VornString key;
    for (int i = 0; i < Count(); ++i) {
        VornString entry = Argument(i);
        key.Format("Cn%d", ++number);
        settings.Write(section, key, entry);
        if (UpperCopy(entry).Equals(wanted))
            matched = true;
    }
    if (matched || !*newArgument)
        return 0;
    if (kind_ == DatabaseKind::Excel)
        return number + 1;
    key.Format("Cn%d", number + 1);
    settings.Write(section, key, newArgument);
    return 0;
}

void ConnectionHistory::RecordConnection(ProfileStore& settings, const char* argument, const char* pathText,
                                         const ConnectFlags& flags, ConnectionRecord* record) const
{
    if (kind_ != DatabaseKind::Excel) {
        Save(settings, argument, argument, flags, record);
        return;
    }
    const char* section = KindSectionName(kind_);
    int next = Save(settings, argument, pathText, flags, record);
    if (next > 0) {
        VornString key;
        key.Format("Cn%d", next);
        settings.Write(section, key, argument);
    }
    if (argument && *argument)
        settings.Write(section, kLastConnectKey, argument);
}

void ConnectionHistory::SaveAfterRemoval(ProfileStore& settings, const char* pathText, const ConnectFlags& flags,
                                         ConnectionRecord* record) const
{
    if (IsFileKind(kind_)) {
        Save(settings, pathText, pathText, flags, record);
        return;
    }
    VornString lastConnect;
    settings.Read(KindSectionName(kind_), kLastConnectKey, lastConnect);
    Save(settings, lastConnect, lastConnect, flags, record);
}
