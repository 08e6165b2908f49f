' Clipboard, system values, windows, named locks and the elapsed-time counter. The test
' program holds the lock "KestrovaTestHeld" and owns the window whose handle it passes.
On Error Resume Next
' A call that fails skips the whole statement it is in: its result goes through v, so
' that R still runs and reports the error.
Dim v
Dim b, target, t
Set b = CreateObject("Vorn.BatchHelper")
target = CLng(WScript.Arguments(1))

R "Clipboard.get", b.Clipboard
b.Clipboard = "put" & Chr(&H955C) & vbCrLf & "2"
R "Clipboard.put", "done"
R "PlatformId", b.PlatformId
R "MajorVersion", b.MajorVersion
R "MinorVersion", b.MinorVersion
R "ComputerName", b.ComputerName
R "UserName", b.UserName
R "WindowsDirectory", b.WindowsDirectory
R "SystemDirectory", b.SystemDirectory
R "TempPath", b.TempPath
R "DesktopDirectory", b.DesktopDirectory
R "MydocDirectory", b.MydocDirectory
R "DesktopWidth", b.DesktopWidth
R "DesktopHeight", b.DesktopHeight
R "Alt", b.Alt
R "Ctrl", b.Ctrl
R "Shift", b.Shift
R "FindTopWindow.class", b.FindTopWindow("KestrovaVornTarget")
R "FindTopWindow.title", b.FindTopWindow("KestrovaVornTarget", "target window")
R "FindTopWindow.otherTitle", b.FindTopWindow("KestrovaVornTarget", "other")
R "FindTopWindow.none", b.FindTopWindow("KestrovaNoSuchClass")
R "ChildWindow", b.ChildWindow(target)
R "ChildWindow.sorted", b.ChildWindow(target, 3, True, True)
R "TopWindow", b.TopWindow(1)
v = Empty : v = b.TopWindow("x") : R "TopWindow.badsort", v
R "Run.notepad", b.Run("notepad.exe", "Notepad")
R "Run.anyClass", b.Run("notepad.exe", "")
R "Run.missing", b.Run("KestrovaNoSuchProgram.exe", "")
b.PostMsg target, &H405, 7, 9
b.PostCommand target, &H18AB9
R "Posted", "done"
R "CheckMutex.held", b.CheckMutex("KestrovaTestHeld")
R "CheckMutex.none", b.CheckMutex("KestrovaTestNoSuchMutex")
R "LockGet.timeout", b.LockGet("KestrovaTestHeld", 300)
R "LockGet.free", b.LockGet("KestrovaTestFree", 300)
R "CheckMutex.free", b.CheckMutex("KestrovaTestFree")
b.LockRelease
R "LockGet.again", b.LockGet("KestrovaTestFree")
b.LockRelease
v = Empty : v = b.LockGet("KestrovaTestFree", "soon") : R "LockGet.badtimeout", v
b.ActionTime = 0
R "ActionTime.put", "done"
b.Sleep = 300
R "Sleep", "done"
t = b.ActionTime
R "ActionTime", t
b.ActionTime = 5000
R "ActionTime.ahead", b.ActionTime
results.Close
WScript.Quit 77
