// The statements of MySQL's own file transfer, run by the server on files of its machine:
// "load data infile ..." and "select * from T into outfile ...", with the field, enclosing
// and line-end clauses chosen in the dialogs.
#pragma once

#include "common/VornString.h"

namespace transfer {

struct MySqlCsvFormat {
    enum class Separator { Comma, Tab, Other } separator = Separator::Comma;
    VornString otherSeparator;
    enum class LineEnd { CrLf, Lf, Cr, Other } lineEnd = LineEnd::CrLf;
    VornString otherLineEnd;
    enum class Enclosing { None, DoubleQuote, Other } enclosing = Enclosing::None;
    VornString otherEnclosing;
    bool optionally = false;   // enclose only fields that are not numbers
};

// Backslashes doubled and apostrophes doubled (both as whole characters), then wrapped in
// single quotes unless it already is.
VornString MySqlPathLiteral(const char* path);

// " fields terminated by X[ optionally ][ enclosed by Y] lines terminated by Z".
VornString MySqlFormatClauses(const MySqlCsvFormat& format);

VornString MySqlLoadStatement(const char* path, bool replace, const char* table, const MySqlCsvFormat& format);

// The outfile of a table: folder (a backslash added when missing, a slash for a folder
// written with slashes) + table + ".csv"; with
// no folder the bare name, which the server puts in the database's data folder.
VornString MySqlOutfilePath(const char* folder, const char* table);
VornString MySqlOutfileStatement(const char* table, const char* path, const MySqlCsvFormat& format);

}  // namespace transfer
