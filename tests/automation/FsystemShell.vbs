' The shell's copy and delete with Japanese names, and the recycle bin they fill; the test
' program answers the shell's confirmations. The folder to work in is the argument.
On Error Resume Next
Dim f, dir, src, one, two, hyo, so
Set f = CreateObject("Vorn.Fsystem")
dir = WScript.Arguments(1)
hyo = Chr(&H955C) : so = Chr(&H835C)
src = dir & "\" & hyo & "src"
one = src & "\" & hyo & so & ".txt"
two = src & "\" & so & "2.txt"

R "RecycleItems.start", f.RecycleItems()
R "ShellCopy.toFolder", f.ShellCopy(one, dir & "\" & so & "dst")
R "ShellCopy.two", f.ShellCopy(one & vbTab & two, dir & "\" & so & "dst2")
R "ShellCopy.rename", f.ShellCopy(one, dir & "\" & so & "dst\" & hyo & "moved.txt")
R "ShellCopy.missing", f.ShellCopy(src & "\missing.txt", dir & "\" & so & "dst")
R "ShellCopy.empty", f.ShellCopy("", dir & "\" & so & "dst")
R "ShellCopy.noTarget", f.ShellCopy(one, "")
' The copy renamed, its original deleted: a move.
R "ShellDelete.moved", f.ShellDelete(one)
R "RecycleItems.one", f.RecycleItems()
R "RecycleSize.one", f.RecycleSize()
R "ShellDelete.two", f.ShellDelete(dir & "\" & so & "dst2\" & hyo & so & ".txt" & vbTab & dir & "\" & so & "dst2\" & so & "2.txt")
R "RecycleItems.three", f.RecycleItems()
R "RecycleItems.drive", f.RecycleItems("C:\")
R "ShellDelete.empty", f.ShellDelete("")
R "ShellDelete.missing", f.ShellDelete(src & "\missing.txt")
f.EmptyRecycle
R "EmptyRecycle", "done"
R "RecycleItems.emptied", f.RecycleItems()
R "RecycleSize.emptied", f.RecycleSize()
results.Close
WScript.Quit 77
