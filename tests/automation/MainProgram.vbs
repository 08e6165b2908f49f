' The requests to a running Kestrova, whose main window the test program passes.
On Error Resume Next
Dim b, h, big, i, t
Set b = CreateObject("Vorn.BatchHelper")
h = CLng(WScript.Arguments(1))
b.EnumList h, "A" & vbTab & "B" & vbCrLf & "1" & vbTab & "x" & Chr(&H955C) & vbCrLf & "3" & vbTab & "4" & vbCrLf
R "GetEnumList.list", b.GetEnumList(h)
R "Kestrova.count", b.Kestrova(h, 2)
b.EnumListAdd h, "5;6" & vbCrLf, ";"
R "Kestrova.countAdded", b.Kestrova(h, 2)
b.ActionTime = 0
R "Kestrova.column", b.Kestrova(h, 1, "C")
t = b.ActionTime
R "Kestrova.columnQuick", t < 500
R "Kestrova.other", b.Kestrova(h, 7)
' Command 1 has no handshake: a request right behind it could find the mutex taken for
' command 1 and read the clipboard before its own turn.
b.Sleep = 500
R "GetEnumList.column", b.GetEnumList(h)
big = ""
For i = 1 To 10000
    big = big & i & vbTab & "v" & i & vbCrLf
Next
b.EnumList2 h, big
R "Kestrova.countBig", b.Kestrova(h, 2)
R "GetEnumList.big", b.GetEnumList(h)
results.Close
WScript.Quit 77
