'============================================================
' ファイルへの保存 (ブラウザの VBScript、Scripting.FileSystemObject)
'============================================================

' 一時フォルダの中のファイル名
Function FsDefaultPath( strName )
	Dim Fs
	Set Fs = CreateObject( "Scripting.FileSystemObject" )
	FsDefaultPath = Fs.BuildPath( Fs.GetSpecialFolder( 2 ), strName )
End Function

' テキストを上書きで保存する。できなければ False
Function FsSaveText( strPath, strText )
	Dim Fs, Stream
	On Error Resume Next
	FsSaveText = False
	Set Fs = CreateObject( "Scripting.FileSystemObject" )
	Set Stream = Fs.CreateTextFile( strPath, True, False )
	if Err.Number <> 0 then Exit Function
	Stream.Write strText
	Stream.Close
	FsSaveText = ( Err.Number = 0 )
End Function
