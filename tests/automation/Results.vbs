Option Explicit
' Put by the test program in front of each test script: writes one line per result,
' "key<TAB>type:value", or "key<TAB>Err:hex|described" (or "|bare" without a description) when the call before it failed. Control
' characters are spelled out so that a result stays on its line.
Dim results, fso
Set fso = CreateObject("Scripting.FileSystemObject")
Set results = fso.CreateTextFile(WScript.Arguments(0), True, False)

Function Spelled(text)
    Spelled = Replace(Replace(Replace(text, vbTab, "<TAB>"), vbCr, "<CR>"), vbLf, "<LF>")
End Function

Sub R(key, value)
    If Err.Number <> 0 Then
        If Len(Err.Description) > 0 Then
            results.WriteLine key & vbTab & "Err:" & Hex(Err.Number) & "|described"
        Else
            results.WriteLine key & vbTab & "Err:" & Hex(Err.Number) & "|bare"
        End If
        Err.Clear
    Else
        results.WriteLine key & vbTab & TypeName(value) & ":" & Spelled(CStr(value))
    End If
End Sub
