' Printing where the platform has no printer; the test program closes the platform's notice.
On Error Resume Next
Dim v
Dim p, gothic
gothic = Chr(&H826C) & Chr(&H8272) & " " & Chr(&H8353) & Chr(&H8356) & Chr(&H8362) & Chr(&H834E)  ' the fixed-pitch Gothic face
Set p = CreateObject("Vorn.Prt")
R "Print.before", p.Print(0, 0, "x")
R "StartPrint.default", p.StartPrint("doc", True)
R "StartPrint.dialog", p.StartPrint("doc", False)
R "StartPrint.noOwner", p.StartPrint("doc")
v = Empty : v = p.StartPrint("doc", "zz") : R "StartPrint.badflag", v
R "Print", p.Print(1, 1, "x")
R "FontPrint", p.FontPrint(gothic, 10, 0, 0, "x")
R "ChangePageFont", p.ChangePageFont(gothic, 10)
p.ColBox 0, 0, 2, 2
p.NextPage
p.EndPrint
R "Drawing", "done"
R "Metrics", p.Lines & "," & p.PhysicalWidth & "," & p.PhysicalHeight & "," & p.PhysicalOffsetX & "," & _
    p.PhysicalOffsetY & "," & p.CharWidth & "," & p.LinePitch & "," & p.PageWidth & "," & p.PageHeight
results.Close
WScript.Quit 77
