' Shell folders, printers, Notepad and the shell's default verb. Argument: a scratch folder
' holding opened.vbs, which writes opened.txt when the shell runs it.
On Error Resume Next
Dim b, folder, i, v
Set b = CreateObject("Vorn.BatchHelper")
folder = WScript.Arguments(1)

For i = 0 To 5
    R "ShellFolder." & i, b.ShellFolder(i)
Next
R "ShellFolder.9", b.ShellFolder(9)
R "ShellFolder.sorted", b.ShellFolder(1, 1, True, True)
v = b.ShellFolder(1, "x")
R "ShellFolder.badsort", v
R "Printer", b.Printer()
b.CopyToMemo "first line" & vbCrLf
b.CopyToMemo "second " & Chr(&H955C)
R "CopyToMemo", "done"
b.OpenShellItem ""
b.OpenShellItem folder & "\opened.vbs"
R "OpenShellItem", "done"
b.PrintScreenKey 1
b.PrintScreenKey 0
b.MinimizeAll
b.UndoMinimizeALL
R "MinimizeAll", "done"
results.Close
WScript.Quit 77
