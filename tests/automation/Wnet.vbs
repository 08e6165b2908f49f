' The network members where the platform has no network to browse or connect to.
On Error Resume Next
Dim n, v
Set n = CreateObject("Vorn.Wnet")
R "Domain", n.Domain()
R "Domain.crlf", n.Domain(0, True, True)
R "Server", n.Server("workgroup")
R "Resource", n.Resource("WORKGROUP", "host")
R "Connected", n.Connected()
R "ConnectDialog", n.ConnectDialog()
R "DisconnectDialog", n.DisconnectDialog()
R "NetUse", n.NetUse("\\host\share", "X:")
R "NetUse.pick", n.NetUse("\\host\share")
R "NetUse.user", n.NetUse("\\host\share", "X:", True, "user", "secret")
R "NetUnuse", n.NetUnuse("X:")
R "NetUnuse.force", n.NetUnuse("X:", True, True)
v = Empty : v = n.Connected("x") : R "Connected.badsort", v
v = Empty : v = n.NetUse("\\host\share", "X:", "maybe") : R "NetUse.badkeep", v
results.Close
WScript.Quit 77
