#include "ui/pictures/GdiPlus.h"

#include "shell/SystemDll.h"

namespace {

// Loaded and started once per process and kept to its end, through the system's one-time initialisation (not a
// guarded function static: see RegisterCustomClass).
INIT_ONCE gdiPlusOnce = INIT_ONCE_STATIC_INIT;
TGdiPlus gdiPlus;

bool ResolveAll(HMODULE module, TGdiPlus& api)
{
    return ResolveFunction(module, "GdipLoadImageFromStream", api.GdipLoadImageFromStream) &&
           ResolveFunction(module, "GdipDisposeImage", api.GdipDisposeImage) &&
           ResolveFunction(module, "GdipGetImageWidth", api.GdipGetImageWidth) &&
           ResolveFunction(module, "GdipGetImageHeight", api.GdipGetImageHeight) &&
           ResolveFunction(module, "GdipImageGetFrameCount", api.GdipImageGetFrameCount) &&
           ResolveFunction(module, "GdipImageSelectActiveFrame", api.GdipImageSelectActiveFrame) &&
           ResolveFunction(module, "GdipGetPropertyItemSize", api.GdipGetPropertyItemSize) &&
           ResolveFunction(module, "GdipGetPropertyItem", api.GdipGetPropertyItem) &&
           ResolveFunction(module, "GdipCreateFromHDC", api.GdipCreateFromHDC) &&
           ResolveFunction(module, "GdipDrawImageRectI", api.GdipDrawImageRectI) &&
           ResolveFunction(module, "GdipSetInterpolationMode", api.GdipSetInterpolationMode) &&
           ResolveFunction(module, "GdipDeleteGraphics", api.GdipDeleteGraphics);
}

bool StartGdiPlus(HMODULE module)
{
    decltype(&Gdiplus::GdiplusStartup) startup = nullptr;
    ULONG_PTR token = 0;
    const Gdiplus::GdiplusStartupInput input;
    return ResolveFunction(module, "GdiplusStartup", startup) && startup(&token, &input, nullptr) == Gdiplus::Ok;
}

BOOL CALLBACK LoadGdiPlusOnce(PINIT_ONCE, PVOID, PVOID* loaded)
{
    *loaded = nullptr;
    // Wine's GDI+ decodes through the imaging component, which it loads on first use along the program's own
    // search path (the program's folder first, whatever SetDefaultDllDirectories said); loaded from the system
    // folder now, it is found loaded then.
    LoadSystemDll(L"windowscodecs.dll");
    HMODULE module = LoadSystemDll(L"gdiplus.dll");
    if (module == nullptr) return TRUE;
    TGdiPlus api{};
    if (ResolveAll(module, api) && StartGdiPlus(module)) {
        gdiPlus = api;
        *loaded = &gdiPlus;
    } else {
        FreeLibrary(module);
    }
    return TRUE;
}

}  // namespace

const TGdiPlus* GdiPlus()
{
    PVOID loaded = nullptr;
    InitOnceExecuteOnce(&gdiPlusOnce, LoadGdiPlusOnce, nullptr, &loaded);
    return static_cast<const TGdiPlus*>(loaded);
}
