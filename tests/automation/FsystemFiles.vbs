' Text files, file queries, INI files and drives; the folder to work in is the argument.
On Error Resume Next
Dim v
Dim f, dir, hyo, so, text
Set f = CreateObject("Vorn.Fsystem")
dir = WScript.Arguments(1)
hyo = Chr(&H955C) : so = Chr(&H835C)
text = dir & "\" & so & hyo & ".txt"

R "PutTextFile", f.PutTextFile(text, "a" & hyo & vbCrLf & so & vbLf & "z")
R "AddTextFile", f.AddTextFile(text, vbCrLf & "end")
R "AddTextFile.new", f.AddTextFile(dir & "\new" & hyo & ".txt", "n")
R "PutTextFile.empty", f.PutTextFile("", "x")
R "PutTextFile.nofolder", f.PutTextFile(dir & "\nofolder\x.txt", "x")
R "GetTextFile", f.GetTextFile(text)
R "GetTextFile.binary", f.GetTextFile(dir & "\bin1f.dat")
R "GetTextFile.missing", f.GetTextFile(dir & "\missing.txt")
R "GetTextFile.empty", f.GetTextFile("")
R "IsTextFile.text", f.IsTextFile(text)
R "IsTextFile.1f", f.IsTextFile(dir & "\bin1f.dat")
R "IsTextFile.ff", f.IsTextFile(dir & "\binff.dat")
R "IsTextFile.late", f.IsTextFile(dir & "\late.dat")
R "IsTextFile.emptyfile", f.IsTextFile(dir & "\empty.txt")
R "IsTextFile.missing", f.IsTextFile(dir & "\missing.txt")

R "IsFileExist.file", f.IsFileExist(text)
R "IsFileExist.folder", f.IsFileExist(dir & "\" & hyo)
R "IsFileExist.missing", f.IsFileExist(dir & "\missing.txt")
R "IsDirectory.folder", f.IsDirectory(dir & "\" & hyo)
R "IsDirectory.file", f.IsDirectory(text)
R "FileSize", f.FileSize(dir & "\" & hyo & "\sized.txt")
R "FileSize.wild", f.FileSize(dir & "\" & hyo & "\*.txt")
R "FileSize.missing", f.FileSize(dir & "\missing.txt")
R "FileUpdateTime", f.FileUpdateTime(dir & "\" & hyo & "\sized.txt")
R "FileUpdateTime.missing", f.FileUpdateTime(dir & "\missing.txt")
R "Executable", f.Executable(dir & "\" & so & hyo & ".ini")
R "Executable.missing", f.Executable(dir & "\missing.txt")

Dim ini : ini = dir & "\" & hyo & "\set.ini"
R "SetInifileString", f.SetInifileString(hyo & so, so, "a=" & hyo, ini)
R "SetInifileString.empty", f.SetInifileString(hyo & so, "blank", "", ini)
R "GetInifileString", f.GetInifileString(hyo & so, so, ini)
R "GetInifileString.otherext", f.GetInifileString(hyo & so, so, dir & "\" & hyo & "\set.dat")
R "GetInifileString.empty", f.GetInifileString(hyo & so, "blank", ini)
R "GetInifileString.missing", f.GetInifileString(hyo & so, "nokey", ini)
R "GetInifileString.windows", f.GetInifileString("fs", "where", "windows\KestrovaFsTest.ini")
R "SetInifileString.temp", f.SetInifileString("KestrovaFsTest", "k", hyo & "=" & so)
R "GetInifileString.temp", f.GetInifileString("KestrovaFsTest", "k")
v = Empty : v = f.GetInifileString("s", "k", Array(1)) : R "GetInifileString.badpath", v

Dim letter : letter = Asc("Q")
Do While fso.DriveExists(Chr(letter)) : letter = letter + 1 : Loop
R "VolumeName", f.VolumeName("C:\windows")
R "VolumeName.empty", f.VolumeName("")
R "VolumeName.nodrive", f.VolumeName(Chr(letter) & ":\")
R "DiskSpace", f.DiskSpace("C:\windows\system32")
R "DiskFreeSpace", f.DiskFreeSpace("C:\windows")
R "DiskSpace.nodrive", f.DiskSpace(Chr(letter) & ":")
R "DiskFreeSpace.empty", f.DiskFreeSpace("")
results.Close
WScript.Quit 77
