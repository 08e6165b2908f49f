// Image lists for grids and tree views: an own list, or the shell's small-icon list.
#pragma once

#include <windows.h>
#include <commctrl.h>

class ImageList {
public:
    ImageList() = default;
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;
    ~ImageList() { Destroy(); }

    // A masked colour list of images width x height.
    bool Create(int width, int height, int initialCount = 4, int growBy = 4);
    // Adds the images of the bitmap (as many as fit its width); pixels of maskColour become
    // transparent. Returns the index of the first image, -1 on failure and for the shared
    // system list, which the rest of the process sees too.
    int AddMasked(HBITMAP bitmap, COLORREF maskColour);
    // The system's small-icon list; it is shared by the whole process and never destroyed.
    bool UseSystemSmallIcons();
    // Index of the shell's small icon for a file name (the file need not exist).
    static int SystemIconIndex(const char* fileName);
    int Count() const;
    HIMAGELIST Handle() const { return list_; }
    bool IsShared() const { return shared_; }
    void Destroy();

private:
    HIMAGELIST list_ = nullptr;
    bool shared_ = false;
};
