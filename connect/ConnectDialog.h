// The connection dialog of each database kind with its history in the settings file.
#pragma once

#include <windows.h>

#include <functional>

#include "common/ProfileStore.h"
#include "common/VornString.h"
#include "db/DatabaseKind.h"

class DbLink;

struct ConnectChoice {
    VornString argument;   // the chosen ConnectArgument
    // Excel only: the data source typed into "他のDSN"; argument is then empty and neither
    // the history nor the title was touched.
    VornString otherDsn;
};

// Runs the modal dialog of the kind over owner. 1 when a connection was chosen (history
// and flags saved to settings, the flags and an MDB password copied into link.record, the
// owner's title set to applicationTitle + the kind's tag + the argument), 2 when cancelled.
int RunConnectDialog(HWND owner, DatabaseKind kind, ProfileStore& settings, const char* applicationTitle,
                     DbLink& link, ConnectChoice& choice);

// A workbook opened without the dialog (a dropped file) takes NoHdr and Hide from "EXCEL".
void LoadExcelFlags(const ProfileStore& settings, DbLink& link);

// The title tag of a kind: " -- [EXCEL] -- " ... " -- [Postgres] -- "; "" for none.
const char* KindTitleTag(DatabaseKind kind);

// What the dialogs start or ask for outside themselves. An empty member means the real
// thing (the program launcher, the open and save file dialogs); tests put stand-ins here so
// that nothing is started and no file dialog waits for a user.
struct ConnectDialogServices {
    // "ODBCアドミニストレータ": the command line to start.
    std::function<void(const char* commandLine)> startProgram;
    // "参照" (createNew false) and "新規" (true): the chosen path, false when cancelled.
    std::function<bool(HWND owner, DatabaseKind kind, bool createNew, const char* initialFolder,
                       VornString& path)> chooseFile;
};
// Replaces the services of every later dialog; ConnectDialogServices() restores the defaults.
void SetConnectDialogServices(const ConnectDialogServices& services);
