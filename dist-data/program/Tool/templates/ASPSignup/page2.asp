<%@ Language=VBScript CodePage=932 %>
<% Option Explicit %>
<!-- #include file="../common.inc" -->
<!-- #include file="../dbSS.inc" -->
<!-- #include file="model.inc" -->
<!-- #include file="viewmessage.inc" -->
<!-- #include file="view2.inc" -->
<%
'============================================================
' サインアップ 2/3: 確認
'============================================================
Response.Expires = -1
Call LoadRequest()
if not CheckEntry() then
	Session( "SignUpMessage" ) = ErrMessage
	Response.Redirect "page1.asp"
end if
MyData.HtmlEncoded = True
Call View2()
%>
