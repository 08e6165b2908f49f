' The registry lists over the key the test program wrote, sorted by name so that the
' platform's enumeration order does not matter.
On Error Resume Next
Dim b, v, key
Set b = CreateObject("Vorn.BatchHelper")
key = "HKEY_CURRENT_USER\Software\KestrovaVornTest"
R "RegKey", b.RegKey(key, 1)
R "RegKey.desc", b.RegKey("hkey_current_user\Software\KestrovaVornTest", 1, True, True)
R "RegKey.hklm", b.RegKey("HKLM\Software")
R "RegKey.missing", b.RegKey("HKEY_CURRENT_USER\Software\KestrovaVornNoSuchKey")
R "RegValue", b.RegValue(key, 1)
R "RegValue.root", b.RegValue("HKEY_NOWHERE\x")
v = Empty : v = b.RegValue(key, "first") : R "RegValue.badcolumn", v
results.Close
WScript.Quit 77
