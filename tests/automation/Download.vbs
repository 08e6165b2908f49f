' HttpDownload. Argument: "http port|own server port|scratch folder".
On Error Resume Next
Dim b, a, http, own, folder, v
Set b = CreateObject("Vorn.BatchHelper")
a = Split(WScript.Arguments(1), "|")
http = "http://127.0.0.1:" & a(0) & "/"
own = "http://127.0.0.1:" & a(1) & "/"
folder = a(2) & "\"

R "big", b.HttpDownload(http & "big.bin", folder & "big.bin", 16)
R "missing", b.HttpDownload(http & "none.bin", folder & "none.bin")
R "noserver", b.HttpDownload("http://127.0.0.1:1/x.bin", folder & "noserver.bin")
R "cancel", b.HttpDownload(own & "slow", folder & "slow.bin")
R "short", b.HttpDownload(own & "short", folder & "short.bin")
R "nofolder", b.HttpDownload(http & "big.bin", folder & "no\such\folder.bin")
v = b.HttpDownload(http & "big.bin", folder & "x.bin", "many")
R "badsize", v
results.Close
WScript.Quit 77
