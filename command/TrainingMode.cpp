#include "TrainingMode.h"

#include "SqlFormatter.h"

VornString BuildTrainingScript(const char* templateText, const char* code)
{
    // The user's text goes in first so that its shorthand words are expanded too; what it
    // brings in is not searched for "$$CODE" again.
    VornString script = ReplaceAllOnePass(templateText, "$$CODE", code, false);
    script = ReplaceAllOnePass(script.Text(), "$print", "Wscript.Echo", false);
    return ReplaceAllOnePass(script.Text(), "$quit", "Wscript.Quit", false);
}
