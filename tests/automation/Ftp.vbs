' The Ftp object against the test's loopback server: the argument is "port|local folder".
On Error Resume Next
' A call that fails skips the whole statement it is in: its result goes through v, so
' that R still runs and reports the error.
Dim v
Dim f, args, server, dir
args = Split(WScript.Arguments(1), "|")
server = "127.0.0.1:" & args(0) : dir = args(1)
Set f = CreateObject("Vorn.Ftp")

R "Unconnected.Size", f.Size("server.bin")
R "Unconnected.Download", f.Download("server.bin", dir & "\never.bin")
R "Unconnected.Directory", f.CurrentDirectory
R "Unconnected.List", f.List()
R "WrongPassword", f.Connect(server, "kestrova", "wrong")
R "WrongPassword.Size", f.Size("server.bin")
v = Empty : v = f.Connect(server, "kestrova", "hoshi", "zz") : R "Connect.badbool", v
R "Connect", f.Connect(server, "kestrova", "hoshi")
R "Upload", f.Upload("up.bin", dir & "\local.bin")
R "Upload.kept", f.Upload("kept.bin", dir & "\local.bin")
R "Upload.missingLocal", f.Upload("none.bin", dir & "\absent.bin")
R "Size", f.Size("up.bin")
R "DateTime", f.DateTime("up.bin")
R "Download.server", f.Download("server.bin", dir & "\fromserver.bin")
R "Download.up", f.Download("up.bin", dir & "\back.bin")
R "Download.missing", f.Download("absent.bin", dir & "\absent.bin")
R "Size.missing", f.Size("absent.bin")
R "DateTime.missing", f.DateTime("absent.bin")
R "CreateDirectory", f.CreateDirectory("sub")
R "CreateDirectory.again", f.CreateDirectory("sub")
R "Upload.sub", f.Upload("sub/small.txt", dir & "\small.txt")
R "List", f.List()
v = Empty : v = f.List(Null) : R "List.null", v
v = Empty : v = f.Size(Array(1)) : R "Size.array", v
R "List.bins", f.List("", "*.bin", 1, True, True)
R "List.sub", f.List("sub")
f.CurrentDirectory = "sub"
R "CurrentDirectory", f.CurrentDirectory
R "Size.relative", f.Size("small.txt")
f.CurrentDirectory = "/"
R "CurrentDirectory.root", f.CurrentDirectory
R "Rename", f.Rename("up.bin", "moved.bin")
R "Rename.missing", f.Rename("up.bin", "again.bin")
R "Delete", f.Delete("moved.bin")
R "Delete.missing", f.Delete("moved.bin")
R "RemoveDirectory.notEmpty", f.RemoveDirectory("sub")
R "Delete.sub", f.Delete("sub/small.txt")
R "RemoveDirectory", f.RemoveDirectory("sub")
R "RemoveDirectory.missing", f.RemoveDirectory("sub")
R "List.after", f.List("", "*.*", 1)
f.DisConnect
R "Disconnected.Size", f.Size("kept.bin")
R "Passive", f.Connect(server, "kestrova", "hoshi", True)
R "Passive.Download", f.Download("kept.bin", dir & "\passive.bin")
results.Close
WScript.Quit 77
