<%@ Language=VBScript CodePage=932 %>
<% Option Explicit %>
<!-- #include file="../common.inc" -->
<!-- #include file="../dbSS.inc" -->
<!-- #include file="model.inc" -->
<!-- #include file="view.inc" -->
<%
'============================================================
' 一括行削除: チェックした行を削除し、残りの一覧を表示する
'============================================================
Dim nDeleted
Response.Buffer = True
Response.Expires = -1
Call LoadRequest()

On Error Resume Next
Call DBOpen()
if Err.Number = 0 and MyData( "send" ) = "削除" then
	nDeleted = DeleteRows()
	if Err.Number = 0 then ErrMessage = nDeleted & " 行を削除しました"
end if
if Err.Number = 0 then Call MakeList()
if Err.Number <> 0 then ErrMessage = Err.Description
Call DBClose()
On Error Goto 0
MyData.HtmlEncoded = True
Call View()
%>
