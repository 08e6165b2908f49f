// The parts lists of a kind folder: choice lists for the drop-downs of the condition and
// structure dialogs, read from "parts\*.txt" or, for a missing file, the kind's defaults.
// Window-free.
#pragma once

#include <functional>

#include "common/TokenList.h"
#include "common/VornString.h"
#include "db/DatabaseKind.h"

struct PartsLists {
    VornString cond;     // operators of the condition dialog
    VornString type;     // data types of the structure dialogs
    VornString option1;  // first option column
    VornString option2;  // default-value column
    VornString option3;  // third option column
};

enum class PartsFile { Cond, Type, Option1, Option2, Option3 };

// "Cond.txt", "Type.txt", "Option1.txt" ...
const char* PartsFileName(PartsFile file);
// The built-in list of a file for a kind; the Type list has none (it comes from the provider).
const char* DefaultPartsList(DatabaseKind kind, PartsFile file);

// The lines of the file (line ends removed) joined by ","; false when it cannot be opened.
bool ReadPartsFile(const char* path, VornString& list);

// The provider's type names (first column of ADO schema 22), asked for only when the
// folder has no Type.txt.
using TypeNameSource = std::function<TokenList()>;
VornString JoinTokens(const TokenList& tokens);

// The five lists of kindFolder\parts for the kind, each from its file or its default.
PartsLists LoadPartsLists(const char* kindFolder, DatabaseKind kind, const TypeNameSource& providerTypes);
