// The connection dialog of each database kind with its history in the settings file.
#pragma once

#include <windows.h>

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
