// Fuzz target for ConnectArgument and ConnectionRecord: the input is taken as the argument
// of every kind (and of two unknown ones). The parts must be the argument's comma-separated
// fields, taken on character boundaries; the record's fields, its connection string and its
// source reference must be the texts of the connection-string table put together from those
// parts; the destination strings and references of the same fields must differ from them
// only where the table says.
#include <cstdint>
#include <string>
#include <vector>

#include "common/SjisText.h"
#include "db/ConnectionRecord.h"
#include "fuzz/FuzzSupport.h"

extern const char* const kFuzzDictionary[] = {
    ",", ",,", ",,,", ",,,,", "srv,db,user,pw", "orcl,scott,tiger", "C:\\データ\\表.xls", "C:\\a.mdb",
    "KestrovaPg,sample,kestrova,kestrova", "売上", "ソ", "表", "\x81,", "\x81", ";", "\"", "[", "]", "scott",
    "ＡＢ", "abcxyz", nullptr,
};

namespace {

const char kTarget[] = "connection_record_fuzz";

std::vector<std::string> Parts(const std::string& text, size_t count)
{
    std::vector<std::string> parts(1);
    for (const std::string& c : fuzz::Characters(text)) {
        if (c == ",")
            parts.emplace_back();
        else
            parts.back() += c;
    }
    parts.resize(count);
    return parts;
}

std::string Upper(const std::string& text)
{
    std::string upper;
    for (const std::string& c : fuzz::Characters(text))
        upper += c.size() == 1 && c[0] >= 'a' && c[0] <= 'z' ? std::string(1, static_cast<char>(c[0] - 32)) : c;
    return upper;
}

struct Fields {
    std::string path, server, database, user, password;
};

const std::string kJet = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=";

std::string ConnectionString(DatabaseKind kind, const Fields& f, bool noHeader, const std::string& jetPassword)
{
    switch (kind) {
    case DatabaseKind::Excel:
        return kJet + f.path + ";Extended Properties=\"" + (noHeader ? "Excel 8.0;HDR=No" : "Excel 8.0;") + "\"";
    case DatabaseKind::Mdb:
        return kJet + f.path + (jetPassword.empty() ? "" : ";Jet OLEDB:Database Password=" + jetPassword) + ";";
    case DatabaseKind::SqlServer:
        return "Provider=SQLOLEDB;Data Source=" + f.server + ";Initial Catalog=" + f.database + ";User ID=" + f.user +
               ";Password=" + f.password + ";";
    default:
        return "Provider=MSDASQL;DSN=" + f.server + (f.database.empty() ? "" : ";DATABASE=" + f.database) +
               ";UID=" + f.user + ";PWD=" + f.password + ";";
    }
}

std::string Reference(DatabaseKind kind, const Fields& f, bool source)
{
    switch (kind) {
    case DatabaseKind::Excel:
        return "[Excel 8.0;DATABASE=" + f.path + ";]";
    case DatabaseKind::Mdb:
        return (source ? "[Database=" : "[DATABASE=") + f.path + ";]";
    case DatabaseKind::SqlServer:
        return "[odbc;Driver={SQL Server};Server=" + f.server + ";DATABASE=" + f.database + ";UID=" + f.user +
               ";PWD=" + f.password + ";]";
    default:
        return "[odbc;DSN=" + f.server + (f.database.empty() ? "" : ";DATABASE=" + f.database) + ";UID=" + f.user +
               ";PWD=" + f.password + ";]";
    }
}

ConnectionRecord Previous(bool noHeader, const std::string& jetPassword)
{
    ConnectionRecord record;
    record.kind = DatabaseKind::Postgres;
    record.filePath = "前のファイル";
    record.server = "前のサーバー";
    record.database = "前のDB";
    record.user = "前のユーザー";
    record.password = "前のパス";
    record.jetPassword = jetPassword.c_str();
    record.noHeader = noHeader;
    record.connectionString = "前の接続";
    return record;
}

bool Same(const ConnectionRecord& a, const ConnectionRecord& b)
{
    return a.kind == b.kind && a.filePath.Equals(b.filePath) && a.server.Equals(b.server) &&
           a.database.Equals(b.database) && a.user.Equals(b.user) && a.password.Equals(b.password) &&
           a.connectionString.Equals(b.connectionString);
}

void CheckKind(DatabaseKind kind, const std::string& input, bool noHeader, const std::string& jetPassword)
{
    const bool file = kind == DatabaseKind::Excel || kind == DatabaseKind::Mdb;
    const bool oracle = kind == DatabaseKind::Oracle;
    Fields typed;
    if (file) {
        typed.path = input;
    } else {
        std::vector<std::string> parts = Parts(input, oracle ? 3 : 4);
        typed.server = parts[0];
        typed.database = oracle ? std::string() : parts[1];
        typed.user = parts[oracle ? 1 : 2];
        typed.password = parts[oracle ? 2 : 3];
    }
    ConnectArgument argument = ConnectArgument::Parse(kind, input.c_str());
    if (typed.path != argument.path.Text() || typed.server != argument.server.Text() ||
        typed.database != argument.database.Text() || typed.user != argument.user.Text() ||
        typed.password != argument.password.Text())
        fuzz::Fail(kTarget, "ConnectArgument's parts differ from the comma-separated fields", input);

    const ConnectionRecord before = Previous(noHeader, jetPassword);
    ConnectionRecord record = before;
    if (!record.Build(kind, input.c_str()))
        fuzz::Fail(kTarget, "Build refused a known kind", input);
    // Fields the kind does not use keep their previous values.
    Fields kept;
    kept.path = file ? typed.path : before.filePath.Text();
    kept.server = file ? before.server.Text() : typed.server;
    kept.database = file || oracle ? before.database.Text() : typed.database;
    kept.user = file ? std::string() : oracle ? Upper(typed.user) : typed.user;
    kept.password = file ? before.password.Text() : typed.password;
    if (record.kind != kind || kept.path != record.filePath.Text() || kept.server != record.server.Text() ||
        kept.database != record.database.Text() || kept.user != record.user.Text() ||
        kept.password != record.password.Text())
        fuzz::Fail(kTarget, "the record's fields are not the parts the kind uses", input);
    if (ConnectionString(kind, typed, noHeader, jetPassword) != record.connectionString.Text())
        fuzz::Fail(kTarget, "the connection string differs from the table's text", input);

    Fields used = kept;
    used.database = oracle ? std::string() : kept.database;
    std::string bracketed;
    for (size_t pos = 0; pos < input.size();) {
        size_t n = sjis::CharLength(input.c_str() + pos);
        bracketed.append(input, pos, n);
        if (n == 1 && input[pos] == ']')
            bracketed += ']';
        pos += n;
    }
    if (Reference(kind, used, true) + ".[" + bracketed + "]" != record.SourceReference(input.c_str()).Text())
        fuzz::Fail(kTarget, "the source reference differs from the table's text", input);
    std::string destination =
        DestinationConnectionString(kind, typed.path.c_str(), typed.server.c_str(), typed.database.c_str(),
                                    typed.user.c_str(), typed.password.c_str()).Text();
    if (ConnectionString(kind, typed, false, "") != destination)
        fuzz::Fail(kTarget, "the destination string differs from the connection string", input);
    std::string prefix = DestinationReference(kind, typed.path.c_str(), typed.server.c_str(), typed.database.c_str(),
                                              typed.user.c_str(), typed.password.c_str()).Text();
    if (Reference(kind, typed, false) != prefix)
        fuzz::Fail(kTarget, "the destination reference differs from the table's text", input);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input = fuzz::Input(data, size);
    const bool noHeader = size % 2 == 1;
    const std::string jetPassword = size % 3 == 0 ? "" : input.substr(0, input.size() / 3);
    for (int number = 0; number <= 5; ++number)
        CheckKind(static_cast<DatabaseKind>(number), input, noHeader, jetPassword);
    for (DatabaseKind unknown : {DatabaseKind::None, static_cast<DatabaseKind>(6)}) {
        ConnectionRecord record = Previous(noHeader, jetPassword);
        if (record.Build(unknown, input.c_str()) || !Same(record, Previous(noHeader, jetPassword)))
            fuzz::Fail(kTarget, "an unknown kind changed the record", input);
        if (!DestinationConnectionString(unknown, "a", "b", "c", "d", "e").IsEmpty() ||
            !DestinationReference(unknown, "a", "b", "c", "d", "e").IsEmpty())
            fuzz::Fail(kTarget, "an unknown kind built a text", input);
    }
    return 0;
}
