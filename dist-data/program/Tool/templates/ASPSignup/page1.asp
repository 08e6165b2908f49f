<%@ Language=VBScript CodePage=932 %>
<% Option Explicit %>
<!-- #include file="../common.inc" -->
<!-- #include file="../dbSS.inc" -->
<!-- #include file="model.inc" -->
<!-- #include file="viewmessage.inc" -->
<!-- #include file="view1.inc" -->
<%
'============================================================
' サインアップ 1/3: 入力
'============================================================
Response.Expires = -1
Call LoadRequest()
ErrMessage = Session( "SignUpMessage" ) & ""
Session( "SignUpMessage" ) = ""
MyData.HtmlEncoded = True
Call View1()
%>
