#include "PartsLists.h"

#include "MenuFileRules.h"
#include "common/TextFile.h"

namespace {

const char kCondJet[] = "=,<,>,<=,>=,<>,,NULL,not NULL,IN,BETWEEN,LIKE,not IN,not BETWEEN,not LIKE,フリー入力";
const char kCondOthers[] = "=,<,>,<=,>=,!=,,NULL,not NULL,IN,BETWEEN,LIKE,not IN,not BETWEEN,not LIKE,フリー入力";

bool IsJet(DatabaseKind kind) { return kind == DatabaseKind::Excel || kind == DatabaseKind::Mdb; }

}  // namespace

const char* PartsFileName(PartsFile file)
{
    switch (file) {
    case PartsFile::Cond: return "Cond.txt";
    case PartsFile::Type: return "Type.txt";
    case PartsFile::Option1: return "Option1.txt";
    case PartsFile::Option2: return "Option2.txt";
    case PartsFile::Option3: return "Option3.txt";
    }
    return "";
}

const char* DefaultPartsList(DatabaseKind kind, PartsFile file)
{
    switch (file) {
    case PartsFile::Cond:
        return IsJet(kind) ? kCondJet : kCondOthers;
    case PartsFile::Type:
        return "";
    case PartsFile::Option1:
        if (kind == DatabaseKind::Mdb)
            return ",not NULL,with COMP";
        if (kind == DatabaseKind::Oracle)
            return ",not NULL";
        return "";
    case PartsFile::Option2:
        if (IsJet(kind))
            return ",NULL,Now(),Date(),Time(),フリー入力";
        if (kind == DatabaseKind::SqlServer)
            return ",NULL,getdate(),フリー入力";
        if (kind == DatabaseKind::Oracle)
            return ",NULL,sysdate,フリー入力";
        return ",NULL,フリー入力";
    case PartsFile::Option3:
        return kind == DatabaseKind::Excel ? "" : ",not NULL";
    }
    return "";
}

bool ReadPartsFile(const char* path, VornString& list)
{
    list.Clear();
    TextFile file;
    if (!file.OpenRead(path))
        return false;
    VornString line;
    bool first = true;
    while (file.ReadLine(line)) {
        if (!first)
            list.Append(',');
        list.Append(line);
        first = false;
    }
    return true;
}

VornString JoinTokens(const TokenList& tokens)
{
    VornString list;
    for (int i = 0; i < tokens.Count(); ++i) {
        if (i > 0)
            list.Append(',');
        list.Append(tokens[i]);
    }
    return list;
}

PartsLists LoadPartsLists(const char* kindFolder, DatabaseKind kind, const TypeNameSource& providerTypes)
{
    VornString parts = JoinPath(kindFolder, "parts");
    auto load = [&](PartsFile file, VornString& list) {
        if (ReadPartsFile(JoinPath(parts, PartsFileName(file)), list))
            return true;
        list = DefaultPartsList(kind, file);
        return false;
    };
    PartsLists lists;
    load(PartsFile::Cond, lists.cond);
    if (!load(PartsFile::Type, lists.type) && providerTypes)
        lists.type = JoinTokens(providerTypes());
    load(PartsFile::Option1, lists.option1);
    load(PartsFile::Option2, lists.option2);
    load(PartsFile::Option3, lists.option3);
    return lists;
}
