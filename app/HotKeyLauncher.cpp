#include "HotKeyLauncher.h"

#include "HotKeys.h"
#include "common/ProgramLauncher.h"

namespace {

ProgramStarter g_starter = RunProgram;

}  // namespace

ProgramStarter SetProgramStarter(ProgramStarter starter)
{
    ProgramStarter previous = g_starter;
    g_starter = starter ? starter : RunProgram;
    return previous;
}

bool StartCommandLine(const char* commandLine)
{
    return g_starter(commandLine ? commandLine : "", nullptr) != 0;
}

bool LaunchHotKey(const ProfileStore& settings, unsigned command)
{
    if (!IsHotKeyCommand(command))
        return false;
    return StartCommandLine(HotKeyCommandLine(settings, command));
}
