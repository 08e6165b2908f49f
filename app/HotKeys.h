// The hot-key launcher: Ctrl + a numeric-keypad key starts a program whose command line is
// kept in MainOption under the key's name, with a built-in default for each.
#pragma once

#include "common/ProfileStore.h"
#include "common/VornString.h"

struct HotKeyEntry {
    unsigned command;           // WM_COMMAND id of the accelerator
    const char* key;            // MainOption key, also the virtual-key name
    const char* defaultCommand; // started when the key is missing or empty
    const char* caption;        // the row's caption in the options dialog
};

// The fifteen rows in the options dialog's order: Num 0 ... Num 9, ".", "/", "*", "-", "+".
const HotKeyEntry* HotKeyTable();
const int kHotKeyCount = 15;

bool IsHotKeyCommand(unsigned command);
// The row of a command, or null.
const HotKeyEntry* FindHotKey(unsigned command);
// The stored command line, else the default; empty for a command that is no hot key.
VornString HotKeyCommandLine(const ProfileStore& store, unsigned command);
