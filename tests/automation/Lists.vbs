' The list members: parsing, sorting, rows and columns, the HTML table and the file list.
On Error Resume Next
' A call that fails skips the whole statement it is in: its result goes through v, so
' that R still runs and reports the error.
Dim v
Dim b, list
Set b = CreateObject("Vorn.BatchHelper")
list = "h1" & vbTab & "h2" & vbCrLf & "b" & vbTab & "2" & vbCrLf & "a" & vbTab & "10" & vbCrLf & vbCrLf & "C" & vbTab & "1" & vbCrLf

R "Sort.col0", b.Sort(list, 0)
R "Sort.desc", b.Sort(list, 0, True)
R "Sort.start1", b.Sort(list, 0, False, False, vbTab, 1)
R "Sort.col1crlf", b.Sort(list, 1, False, True, vbTab, 1)
R "Sort.delim", b.Sort("x;2" & vbLf & "y;1;z" & vbLf, 1, False, False, ";")
R "Sort.lastEmpty", b.Sort("b" & vbLf & "a" & vbLf, 0)
v = Empty : v = b.Sort(list, 0, "zz") : R "Sort.badbool", v
v = Empty : v = b.Sort(list, "x") : R "Sort.badcol", v
R "GetListText.cell", b.GetListText(list, 2, 1)
R "GetListText.row", b.GetListText(list, 1)
R "GetListText.negcol", b.GetListText(list, 1, -1)
R "GetListText.bigcol", b.GetListText(list, 1, 2)
R "GetListText.bigrow", b.GetListText(list, 4)
R "GetListText.negrow", b.GetListText(list, -1)
R "GetListText.ragged", b.GetListText("a" & vbLf & "b,c,d" & vbLf, 0, -1, ",")
R "DeleteListRow", b.DeleteListRow(list, 0)
R "DeleteListRow.crlf", b.DeleteListRow(list, 3, True)
R "DeleteListRow.out", b.DeleteListRow(list, 4)
R "HtmlConvert.head", b.HtmlConvert("a" & vbTab & "b" & vbCrLf & "1" & vbTab & "<2>" & vbCrLf, True)
R "HtmlConvert.body", b.HtmlConvert("x" & vbLf, False, "<T>", "<H>", "<R>", "<D>")
R "HtmlConvert.given", b.HtmlConvert("a" & vbLf & "b", True, "<T>", "<H>", "<R>", "<D>")
Dim dir : dir = WScript.Arguments(1)
R "FileList.all", b.FileList(dir, "*")
R "FileList.folders", b.FileList(dir, "*", 1)
R "FileList.files", b.FileList(dir, "*.txt", 2)
R "FileList.none", b.FileList(dir, "*.none")
results.Close
WScript.Quit 77
