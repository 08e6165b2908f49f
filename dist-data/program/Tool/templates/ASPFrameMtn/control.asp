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
' マスタメンテ: 上のフレームにキー、下のフレームに編集項目
'============================================================
Response.Buffer = True
Response.Expires = -1
Call LoadRequest()

Select Case MyData( "frame" )
Case "body"
	Call EditPage()
Case "none"
	Response.Write "<HTML><BODY></BODY></HTML>"
Case Else
	MyData.HtmlEncoded = True
	Call View()
End Select

Sub EditPage()
	if CheckKeys() then
		On Error Resume Next
		Call DBOpen()
		if Err.Number = 0 then
			Select Case MyData( "send" )
			Case "登録"
				if UpdateData() then ErrMessage = "登録しました"
			Case "削除"
				if DeleteData() then
					ErrMessage = "削除しました"
					MyData.Clear "In2"
				end if
			Case Else
				MyData.Clear "In2"
				if not ReadData() then ErrMessage = "新しいデータです: 入力して「登録」を押して下さい"
			End Select
		end if
		if Err.Number <> 0 then ErrMessage = Err.Description
		Call DBClose()
		On Error Goto 0
	end if
	MyData.HtmlEncoded = True
	Call View2()
End Sub
%>
