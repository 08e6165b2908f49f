' Wine's engine takes one name per Public or Private line in a class.
' Stand-ins for the ASP objects and for ADO, enough to run a generated page in cscript.
' The page's requests, rows and output go through the globals below; Finish writes what
' happened into the result file and quits with the exit code of a completed run.
Dim Request, Response, Server, Session, Application, FakeRows, FakeLog, FakeResultPath

Class FakeRequest
	Public QueryString
	Public Form
	Private Sub Class_Initialize()
		Set QueryString = CreateObject( "Scripting.Dictionary" )
		Set Form = CreateObject( "Scripting.Dictionary" )
	End Sub
	Public Function ServerVariables( strName )
		ServerVariables = ""
		if strName = "SCRIPT_NAME" then ServerVariables = "/site/project/control.asp"
	End Function
End Class

Class FakeResponse
	Public Buffer
	Public Expires
	Public Output
	Public Sub Write( vText )
		Output = Output & vText
	End Sub
	Public Sub Redirect( strPage )
		Output = Output & "[redirect " & strPage & "]"
	End Sub
End Class

Class FakeServer
	Public Function HTMLEncode( vText )
		Dim strText
		strText = Replace( vText & "", "&", "&amp;" )
		strText = Replace( strText, "<", "&lt;" )
		strText = Replace( strText, ">", "&gt;" )
		HTMLEncode = Replace( strText, """", "&quot;" )
	End Function
	Public Function CreateObject( strName )
		if strName = "ADODB.Connection" then
			Set CreateObject = New FakeConnection
		else
			Set CreateObject = New FakeRecordset
		end if
	End Function
End Class

Class FakeSession
	Public Contents
	Public Timeout
	Public CodePage
	Public LCID
	Private Sub Class_Initialize()
		Set Contents = CreateObject( "Scripting.Dictionary" )
	End Sub
	Public Default Property Get Item( strName )
		Item = ""
		if Contents.Exists( strName ) then Item = Contents.Item( strName )
	End Property
	Public Property Let Item( strName, vValue )
		Contents.Item( strName ) = vValue
	End Property
End Class

Class FakeConnection
	Public State
	Public Sub Open( strConnection )
		State = 1
	End Sub
	Public Sub Close()
		State = 0
	End Sub
	Public Sub Execute( strQuery, nCount )
		FakeLog = FakeLog & "execute: " & strQuery & vbCrLf
		nCount = 1
	End Sub
End Class

Class FakeField
	Private m_Owner
	Private m_Name
	Public Sub Bind( vOwner, strName )
		Set m_Owner = vOwner
		m_Name = strName
	End Sub
	Public Property Get Value()
		Value = m_Owner.ValueOf( m_Name )
	End Property
	Public Property Let Value( vValue )
		m_Owner.SetValue m_Name, vValue
	End Property
End Class

' Every query answers with the rows of FakeRows (dictionaries of column values).
Class FakeRecordset
	Public State
	Private m_Position
	Public Sub Open( strQuery, vConnection, nCursor, nLock, nOptions )
		FakeLog = FakeLog & "open: " & strQuery & vbCrLf
		State = 1
		m_Position = 0
	End Sub
	Public Sub Close()
		State = 0
	End Sub
	Public Property Get EOF()
		EOF = m_Position > UBound( FakeRows )
	End Property
	Public Sub MoveNext()
		m_Position = m_Position + 1
	End Sub
	Public Function Fields( strName )
		Dim Field
		Set Field = New FakeField
		Field.Bind Me, strName
		Set Fields = Field
	End Function
	Public Function ValueOf( strName )
		ValueOf = FakeRows( m_Position ).Item( strName )
	End Function
	Public Sub SetValue( strName, vValue )
		if IsNull( vValue ) then
			FakeLog = FakeLog & "set: " & strName & " = NULL" & vbCrLf
		else
			FakeLog = FakeLog & "set: " & strName & " = " & vValue & vbCrLf
		end if
	End Sub
	Public Sub AddNew()
		FakeLog = FakeLog & "addnew" & vbCrLf
	End Sub
	Public Sub Update()
		FakeLog = FakeLog & "update" & vbCrLf
	End Sub
End Class

Sub FakeRow( aPairs )
	Dim Row, nIndex
	Set Row = CreateObject( "Scripting.Dictionary" )
	For nIndex = 0 To UBound( aPairs ) Step 2
		Row.Item( aPairs( nIndex ) ) = aPairs( nIndex + 1 )
	Next
	ReDim Preserve FakeRows( UBound( FakeRows ) + 1 )
	Set FakeRows( UBound( FakeRows ) ) = Row
End Sub

Sub Finish()
	Dim Fs, Stream
	Set Fs = CreateObject( "Scripting.FileSystemObject" )
	Set Stream = Fs.CreateTextFile( FakeResultPath, True, False )
	Stream.Write FakeLog & "----" & vbCrLf & Response.Output
	Stream.Close
	WScript.Quit 77
End Sub

Set Request = New FakeRequest
Set Response = New FakeResponse
Set Server = New FakeServer
Set Session = New FakeSession
Set Application = CreateObject( "Scripting.Dictionary" )
FakeRows = Array()
FakeLog = ""
