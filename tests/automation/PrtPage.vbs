' Two pages to the test's file printer, the default printer; the argument is the document name.
On Error Resume Next
Dim v
Dim p, gothic, hyo
Set p = CreateObject("Vorn.Prt")
gothic = Chr(&H826C) & Chr(&H8272) & " " & Chr(&H8353) & Chr(&H8356) & Chr(&H8362) & Chr(&H834E)
hyo = Chr(&H955C)
R "StartPrint", p.StartPrint(WScript.Arguments(1), True)
R "Device", p.Lines & "," & p.PhysicalWidth & "," & p.PhysicalHeight & "," & p.PhysicalOffsetX & "," & _
    p.PhysicalOffsetY & "," & p.CharWidth & "," & p.LinePitch & "," & p.PageWidth & "," & p.PageHeight
R "Print", p.Print(2, 3, "page one " & hyo)
R "ChangePageFont", p.ChangePageFont(gothic, 10)
R "Font", p.Lines & "," & p.CharWidth & "," & p.LinePitch & "," & p.PageWidth & "," & p.PageHeight
R "FontPrint", p.FontPrint(gothic, 20, 0, 5, hyo & "x")
p.ColBox 0, 0, 10, 2
p.NextPage
R "Print.page2", p.Print(0, 0, "page two")
p.EndPrint
R "Print.ended", p.Print(0, 0, "x")
' The dialog: the test program cancels it.
R "StartPrint.cancelled", p.StartPrint("cancelled", False)
results.Close
WScript.Quit 77
