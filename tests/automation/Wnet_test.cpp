// The Wnet object on this platform: its "mpr.dll" answers "no network" (1222) to every
// enumeration and connection, so the lists hold only their line end and the connect
// members give the texts for that code.
#include <gtest/gtest.h>

#include "ScriptRun.h"

namespace {

using namespace vornscript;

TEST(WnetObjectTest, WithoutANetworkListsAreEmptyAndConnectionsFailWithTheirTexts)
{
    Results r = RunScript("Wnet.vbs", "");
    ExpectAll(r, {
        {"Domain", Str("\n")}, {"Domain.crlf", Str("\r\n")}, {"Server", Str("\n")}, {"Resource", Str("\n")},
        {"Connected", Str("\n")},
        {"ConnectDialog", kFalse}, {"DisconnectDialog", kFalse},
        {"NetUse", Str("ネットワークに接続されていません")}, {"NetUse.pick", Str("ネットワークに接続されていません")},
        {"NetUse.user", Str("ネットワークに接続されていません")},
        // Cancelling has no text of its own for 1222.
        {"NetUnuse", Str("ネットワークエラーです")}, {"NetUnuse.force", Str("ネットワークエラーです")},
        {"Connected.badsort", kConversionFailed}, {"NetUse.badkeep", kConversionFailed},
    });
}

}  // namespace
