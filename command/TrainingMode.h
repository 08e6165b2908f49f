// The VBScript training mode: the user's statements inside the template "trainingvbs.txt".
#pragma once

#include "common/VornString.h"

// The template with every "$$CODE" replaced by code, then "$print" → "Wscript.Echo" and
// "$quit" → "Wscript.Quit" everywhere.
VornString BuildTrainingScript(const char* templateText, const char* code);
