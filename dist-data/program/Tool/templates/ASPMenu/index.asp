<%@ Language=VBScript CodePage=932 %>
<% Option Explicit %>
<!-- #include file="model.inc" -->
<!-- #include file="view.inc" -->
<% Call MakeMenu() %>
<HTML>
<HEAD>
<META http-equiv="Content-Type" content="text/html; charset=Shift_JIS">
<LINK rel=stylesheet type="text/css" href="../style.css">
<TITLE>$MENU</TITLE>
</HEAD>
<BODY>
<DIV class=MyTitle>$MENU</DIV>
<% Call ViewMenu() %>
</BODY>
</HTML>
