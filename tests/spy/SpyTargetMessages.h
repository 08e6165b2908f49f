// What the spy tests tell SpyTarget's main window to do.
#pragma once

#include <windows.h>

const char kSpyTargetClass[] = "SpyTarget";
const char kSpyPeerClass[] = "SpyTargetPeer";
const int kSpyButtonId = 1001;

// wParam and lParam become those of a WM_COMMAND sent / posted to the peer window.
const UINT kSpySendCommand = WM_APP + 1;
const UINT kSpyPostCommand = WM_APP + 2;
// Sends and posts messages other than WM_COMMAND to the peer.
const UINT kSpyOtherMessages = WM_APP + 3;
// Sends wParam commands 0, 1, ... to the peer, lParam the main window.
const UINT kSpyCommandBurst = WM_APP + 4;
// Answers 1 while posted messages still wait in the target's queue, else 0: a command
// posted while no hook is set must be taken before the next hook is set.
const UINT kSpyPendingPosts = WM_APP + 5;
