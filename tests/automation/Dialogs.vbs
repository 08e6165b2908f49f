' The dialogs, in the order the test program answers them (see BatchHelperDialogs_test.cpp).
' Argument: a scratch folder holding a.txt and b.txt.
On Error Resume Next
Dim b, folder, hyo, v
Set b = CreateObject("Vorn.BatchHelper")
folder = WScript.Arguments(1)
hyo = Chr(&H955C)

R "GetText.choice", b.GetText("choose", "pick one", "x", "first|second" & hyo & "|third")
R "GetText.trimmed", b.GetText("blank", "type", "")
R "GetText.cancel", b.GetText("cancelled", "", "kept")
R "GetText.plain", b.GetText("plain", "", "  default" & hyo & "  ")
v = b.GetText(1, 2, 3, Array(1))
R "GetText.badlist", v
R "GetTextList.layout", b.GetTextList("layout", "1|name|init" & hyo & ",3||C:\x,9|skip|y,4|fourth|")
R "GetTextList.all", b.GetTextList("all")
R "GetTextList.cancel", b.GetTextList("cancelled list", "2|only|z")
R "OpenFileName", b.OpenFileName("open one", "text,*.txt", folder, "txt", "a.txt")
R "SaveFileName", b.SaveFileName("save one", "", folder, "csv", "new" & hyo)
R "OpenFileName.cancel", b.OpenFileName("open none")
R "OpenFileNames", b.OpenFileNames("open many", "", folder)
R "OpenFileNames.one", b.OpenFileNames("open many one", "", folder)
R "GetFolderName.cancel", b.GetFolderName("folder")
results.Close
WScript.Quit 77
