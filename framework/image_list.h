// Owner of a common-controls image list.
#pragma once

#include "framework/unique_handle.h"

#include <commctrl.h>

struct ImageListTraits {
    using Handle = HIMAGELIST;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ImageList_Destroy(h); }
};

using CUniqueImageList = CUniqueHandle<ImageListTraits>;
