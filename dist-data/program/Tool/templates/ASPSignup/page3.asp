<%@ Language=VBScript CodePage=932 %>
<% Option Explicit %>
<!-- #include file="../common.inc" -->
<!-- #include file="../dbSS.inc" -->
<!-- #include file="model.inc" -->
<!-- #include file="viewmessage.inc" -->
<%
'============================================================
' サインアップ 3/3: 登録
'============================================================
Response.Expires = -1
Call LoadRequest()
if CheckEntry() then
	On Error Resume Next
	Call DBOpen()
	if Err.Number = 0 then Call Entry()
	if Err.Number <> 0 then ErrMessage = Err.Description
	Call DBClose()
	On Error Goto 0
end if
if ErrMessage <> "" then
	Session( "SignUpMessage" ) = ErrMessage
	Response.Redirect "page1.asp"
end if
MyData.Clear "In1"
%>
<HTML>
<HEAD>
<META http-equiv="Content-Type" content="text/html; charset=Shift_JIS">
<LINK rel=stylesheet type="text/css" href="../style.css">
<TITLE>サインアップ</TITLE>
</HEAD>
<BODY>
<DIV class=MyTitle>登録しました (3/3)</DIV>
<P><A href="page1.asp">続けて登録する</A></P>
</BODY>
</HTML>
