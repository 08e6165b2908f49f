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
' 行マスタメンテ: 上のフレームで新規登録と修正、下のフレームに一覧
'============================================================
Response.Buffer = True
Response.Expires = -1
Call LoadRequest()

if MyData( "frame" ) = "body" then
	Call ListPage()
else
	Call EntryPage()
end if

Sub ListPage()
	On Error Resume Next
	Call DBOpen()
	if Err.Number = 0 then Call MakeList()
	if Err.Number <> 0 then ErrMessage = Err.Description
	Call DBClose()
	On Error Goto 0
	MyData.HtmlEncoded = True
	Call View2()
End Sub

Sub EntryPage()
	if MyData( "send" ) <> "" then
		On Error Resume Next
		Call DBOpen()
		if Err.Number = 0 then Call UpdateData()
		if Err.Number <> 0 then ErrMessage = Err.Description
		Call DBClose()
		On Error Goto 0
		if ErrMessage = "" then MyData.Clear "In1"
	end if
	MyData.HtmlEncoded = True
	Call View()
End Sub
%>
