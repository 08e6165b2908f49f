' Moves, sizes and shows the window whose handle the test program passes, reading its
' rectangle back after each step; the test program owns the window. The window manager
' answers every change a little later: the script waits for it before the next step, so
' that a late answer cannot undo a later change (Wine's cscript has no WScript.Sleep: the
' library's own Sleep waits).
On Error Resume Next
Dim w, unset, b
Set w = CreateObject("Vorn.Window")
Set b = CreateObject("Vorn.BatchHelper")
w.hWnd = CLng(WScript.Arguments(1))

Function Rect()
    Rect = w.Left & "," & w.Top & "," & w.Width & "," & w.Height
End Function

' The rectangle once it has stayed the same for a quarter of a second (at most three seconds).
Function Place()
    Dim before, current, i
    b.Sleep = 250
    current = Rect()
    For i = 1 To 12
        before = current
        b.Sleep = 250
        current = Rect()
        If current = before Then Exit For
    Next
    Place = current
End Function

w.Left = 40
w.Top = 30
w.Width = 300
w.Height = 200
R "placed", Place()
w.Left = 60
R "left", Place()
w.Height = 150
R "height", Place()
w.Center
R "center", Place()
w.ScreenFit
R "screenFit", Place()
w.Width = 300
w.Height = 200
R "sized", Place()
w.Max = False
R "Max.false", w.Max
w.Max = True
R "Max", w.Max
Place
w.Max = 0
R "Max.zero", w.Max
w.Restore
R "Max.restored", w.Max
R "restored", Place()
w.Min = True
R "Min", w.Min
Place
w.Restore
R "Min.restored", w.Min
w.Active
R "Active", "done"
w.Close
R "Close", "done"

Set unset = CreateObject("Vorn.Window")
unset.Center
unset.Close
R "unset", unset.Left & "," & unset.Max
results.Close
WScript.Quit 77
