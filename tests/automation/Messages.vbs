' The message boxes; the test program answers them: OK, OK, then Cancel.
On Error Resume Next
Dim b
Set b = CreateObject("Vorn.BatchHelper")
b.MsgOk "note" & Chr(&H955C)
R "MsgOk", "closed"
R "MsgOkCancel.ok", b.MsgOkCancel("first")
R "MsgOkCancel.cancel", b.MsgOkCancel("second")
results.Close
WScript.Quit 77
