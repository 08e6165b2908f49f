// The two statements the export hands to its bridge, built and read back without a
// database: "insert into D.[T] select C from S.[U] where W order by O" and
// "select C into D.[T] from S.[U] where W order by O", where D and S are external
// references ("[...;]") and the bracketed names double a "]" inside them.
#pragma once

#include "common/VornString.h"

namespace transfer {

enum class ExportForm { Insert, SelectInto };

struct ExportStatement {
    ExportForm form = ExportForm::Insert;
    VornString destinationReference;   // "[...;]"
    VornString target;                 // the destination table, as it is named (not bracketed)
    VornString columns;                // "*" or the data view's column list
    VornString sourceReference;        // "[...;]"
    VornString sourceTable;            // as it is named (not bracketed)
    VornString condition;              // without " where "
    VornString order;                  // without " order by "
};

// "[" + name + "]" with every "]" of the name doubled.
VornString BracketName(const char* name);

VornString BuildExportStatement(const ExportStatement& statement);
// False for any text that is not one of the two forms.
bool ParseExportStatement(const char* text, ExportStatement& statement);

}  // namespace transfer
