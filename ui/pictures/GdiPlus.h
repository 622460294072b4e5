#pragma once
// The GDI+ flat API that the toolkit uses, loaded on first use from the system folder only and started once.
// setup.exe runs with administrator rights from whatever folder it was downloaded to: an import of gdiplus.dll
// would be looked for there first, before any code of ours runs.
#include <windows.h>

#include <objidl.h>

#include <gdiplus.h>

struct TGdiPlus {
    decltype(&Gdiplus::DllExports::GdipLoadImageFromStream) GdipLoadImageFromStream;
    decltype(&Gdiplus::DllExports::GdipDisposeImage) GdipDisposeImage;
    decltype(&Gdiplus::DllExports::GdipGetImageWidth) GdipGetImageWidth;
    decltype(&Gdiplus::DllExports::GdipGetImageHeight) GdipGetImageHeight;
    decltype(&Gdiplus::DllExports::GdipImageGetFrameCount) GdipImageGetFrameCount;
    decltype(&Gdiplus::DllExports::GdipImageSelectActiveFrame) GdipImageSelectActiveFrame;
    decltype(&Gdiplus::DllExports::GdipGetPropertyItemSize) GdipGetPropertyItemSize;
    decltype(&Gdiplus::DllExports::GdipGetPropertyItem) GdipGetPropertyItem;
    decltype(&Gdiplus::DllExports::GdipCreateFromHDC) GdipCreateFromHDC;
    decltype(&Gdiplus::DllExports::GdipDrawImageRectI) GdipDrawImageRectI;
    decltype(&Gdiplus::DllExports::GdipSetInterpolationMode) GdipSetInterpolationMode;
    decltype(&Gdiplus::DllExports::GdipDeleteGraphics) GdipDeleteGraphics;
};

// The functions of a started GDI+; nullptr when the system has none, lacks one of them or cannot start it, and
// then no picture is shown.
const TGdiPlus* GdiPlus();
