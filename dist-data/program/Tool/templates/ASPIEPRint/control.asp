<%@ Language=VBScript CodePage=932 %>
<% Option Explicit %>
<!-- #include file="../common.inc" -->
<!-- #include file="../dbSS.inc" -->
<!-- #include file="model.inc" -->
<!-- #include file="view.inc" -->
<!-- #include file="view2.inc" -->
<!-- #include file="viewmessage.inc" -->
<%
'============================================================
' 印刷: 上のフレームに検索条件、下のフレームに印刷用のテキスト
'============================================================
Response.Buffer = True
Response.Expires = -1
Call LoadRequest()

Select Case MyData( "frame" )
Case "body"
	Call PrintPage()
Case "none"
	Response.Write "<HTML><BODY></BODY></HTML>"
Case Else
	MyData.HtmlEncoded = True
	Call View()
End Select

Sub PrintPage()
	On Error Resume Next
	Call DBOpen()
	if Err.Number = 0 then Call MakeList()
	if Err.Number <> 0 then ErrMessage = Err.Description
	Call DBClose()
	On Error Goto 0
	MyData.SqlQuoted = False
	MyData.HtmlEncoded = True
	Call View2()
End Sub
%>
