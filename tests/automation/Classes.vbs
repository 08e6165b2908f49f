' Every class by both of its ProgIDs.
On Error Resume Next
Dim names, name, o
names = Array("BatchHelper", "Window", "Wnet", "OuterDll", "Ftp", "Database", "Prt", "Fsystem")
For Each name In names
    Set o = Nothing
    Set o = CreateObject("Vorn." & name)
    R name, TypeName(o)
    Set o = Nothing
    Set o = CreateObject("Vorn." & name & ".1")
    R name & ".1", TypeName(o)
Next
Set o = CreateObject("Vorn.Nothing")
R "Vorn.Nothing", "created"
results.Close
WScript.Quit 77
