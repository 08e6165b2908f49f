// What the network members answer for the platform's result codes.
#pragma once

namespace vorn {

// "OK" for 0.
const char* NetUseText(unsigned long code);
const char* NetUnuseText(unsigned long code);
// The failure of the connect dialog; null for a code that has no text of its own.
const char* ConnectDialogErrorText(unsigned long code);

}  // namespace vorn
