'============================================================
' Excel への書き出し (ブラウザの VBScript)
'============================================================

' Excel を開いて新しいブックを返す
Function ExcelOpen()
	Dim MyExcel
	Set MyExcel = CreateObject( "Excel.Application" )
	MyExcel.Visible = True
	Set ExcelOpen = MyExcel.Workbooks.Add()
End Function

' x は列 (1 から)、y は HTML の表の行 (0 から、見出しの行が 0) で、シートの 1 行目が y = 0
' TargetSheet はシートか、MyBook のシートの名前か番号
Sub ExcelSetCell( MyBook, TargetSheet, x, y, vText )
	Dim Sheet
	if IsObject( TargetSheet ) then
		Set Sheet = TargetSheet
	else
		Set Sheet = MyBook.Worksheets( TargetSheet )
	end if
	Sheet.Cells( y + 1, x ).Value = vText
End Sub
