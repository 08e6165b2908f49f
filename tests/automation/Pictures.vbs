' The picture members against the stand-in image DLL: the argument is the work folder, the
' stand-in's path and the handle of a window of the test program, joined by "|".
On Error Resume Next
Dim o, a, base, dll, target
Set o = CreateObject("Vorn.OuterDll")
a = Split(WScript.Arguments(1), "|")
base = a(0)
dll = a(1)
target = CLng(a(2))

R "jpeg.defaults", o.SavetoJPEG(base & "\pic.bmp", , , , , dll)
R "jpeg.code3", o.SavetoJPEG(base & "\pic.bmp", 50, base & "\code3.jpg", 1, False, dll)
R "jpeg.clipboard", o.SavetoJPEG(0, 80, base & "\clip.jpg", 0, False, dll)
R "jpeg.window", o.SavetoJPEG(target, 80, base & "\win.jpg", 0, True, dll)
R "jpeg.client", o.SavetoJPEG(target, 80, base & "\client.jpg", 0, False, dll)
R "jpeg.desktop", o.SavetoJPEG(-1, 80, base & "\code7.jpg", 0, False, dll)
R "png.defaults", o.SavetoPNG(base & "\pic.bmp", 6, , , dll)
R "png.clipboard", o.SavetoPNG(0, 1, base & "\code2.png", False, dll)
R "png.nobitmap", o.SavetoPNG(base & "\photo.gif", 0, base & "\x.png", False, dll)
R "bmp.defaults", o.SavetoBMP(base & "\photo.gif", , , dll)
R "bmp.missing", o.SavetoBMP(base & "\missing.gif", base & "\m.bmp", False, dll)
R "bmp.client", o.SavetoBMP(target, base & "\fail.bmp", False, dll)
R "img.jpeg", o.IMGtoIMG(base & "\photo.gif", base & "\out.JPEG", , , dll)
R "img.pngex", o.IMGtoIMG(base & "\photo.gif", base & "\out.png", True, 7, dll)
R "img.png", o.IMGtoIMG(base & "\photo.gif", base & "\fail.Png", True, , dll)
R "img.gif", o.IMGtoIMG(base & "\photo.gif", base & "\out.gif", False, , dll)
R "img.ext", o.IMGtoIMG(base & "\photo.gif", base & "\out.txt", , , dll)
R "img.missing", o.IMGtoIMG(base & "\missing.gif", base & "\out.bmp", , , dll)
results.Close
WScript.Quit 77
