// The table the generator tests build pages for, shaped like the sample database's 社員.
#pragma once

#include <string>

#include "webgen/WebKinds.h"

DefinitionRows EmployeeDefinition();
// Fields of 社員 as a user would check them for the kind: the key (or the one long varchar
// column) on the left, every column on the right.
WebFields EmployeeFields(WebKind kind);
// The program folder's template folder in the source tree.
std::string ShippedTemplates();
