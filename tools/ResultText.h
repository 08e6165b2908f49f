// The text VornResult puts on the clipboard, built without windows so both builds test it:
// the run's output, a separator line, and the script's lines numbered "%04d %s".
#pragma once

#include "common/VornString.h"

// A path argument as the main program writes it, with every blank as three backslashes.
VornString ResultPathArgument(const char* argument);

// Both arguments as written on the command line (either may be null); a file that cannot
// be opened contributes nothing.
VornString BuildResultText(const char* outputArgument, const char* scriptArgument);
