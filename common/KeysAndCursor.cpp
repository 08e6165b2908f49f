#include "KeysAndCursor.h"

bool IsShiftDown() { return (GetKeyState(VK_SHIFT) & 0x8000) != 0; }

bool IsControlDown() { return (GetKeyState(VK_CONTROL) & 0x8000) != 0; }

WaitCursor::WaitCursor() : previous_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}

WaitCursor::~WaitCursor() { SetCursor(previous_); }
