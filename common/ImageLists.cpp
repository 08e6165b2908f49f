#include "ImageLists.h"

#include <shellapi.h>

bool ImageList::Create(int width, int height, int initialCount, int growBy)
{
    Destroy();
    list_ = ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, initialCount, growBy);
    return list_ != nullptr;
}

int ImageList::AddMasked(HBITMAP bitmap, COLORREF maskColour)
{
    if (!list_ || shared_)
        return -1;
    return ImageList_AddMasked(list_, bitmap, maskColour);
}

bool ImageList::UseSystemSmallIcons()
{
    Destroy();
    SHFILEINFOA info = {};
    list_ = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(
        "C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    shared_ = list_ != nullptr;
    return shared_;
}

int ImageList::SystemIconIndex(const char* fileName)
{
    SHFILEINFOA info = {};
    if (!SHGetFileInfoA(fileName, FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                        SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES))
        return -1;
    return info.iIcon;
}

int ImageList::Count() const { return list_ ? ImageList_GetImageCount(list_) : 0; }

void ImageList::Destroy()
{
    if (list_ && !shared_)
        ImageList_Destroy(list_);
    list_ = nullptr;
    shared_ = false;
}
