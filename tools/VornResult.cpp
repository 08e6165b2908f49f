// VornResult output-file script-file: the run's output and the numbered script on the
// clipboard as CF_TEXT, for the main program's simple paste. Prints nothing, exits 0.
#include <windows.h>

#include "ResultText.h"
#include "common/Clipboard.h"

int main(int argc, char** argv)
{
    VornString text = BuildResultText(argc > 1 ? argv[1] : nullptr, argc > 2 ? argv[2] : nullptr);
    PutClipboardText(nullptr, text.Text());
    return 0;
}
