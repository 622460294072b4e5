#include "ui/GdiPlus.h"

namespace {

// Loaded and started once per process and kept to its end, through the system's one-time initialisation (not a
// guarded function static: see RegisterCustomClass).
INIT_ONCE gdiPlusOnce = INIT_ONCE_STATIC_INIT;
TGdiPlus gdiPlus;

template <typename Function>
bool Resolve(HMODULE module, const char* name, Function& function)
{
    // The system hands out every function as a FARPROC; through void (*)() it becomes its own type unwarned.
    function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
    return function != nullptr;
}

bool ResolveAll(HMODULE module, TGdiPlus& api)
{
    return Resolve(module, "GdipLoadImageFromStream", api.GdipLoadImageFromStream) &&
           Resolve(module, "GdipDisposeImage", api.GdipDisposeImage) &&
           Resolve(module, "GdipGetImageWidth", api.GdipGetImageWidth) &&
           Resolve(module, "GdipGetImageHeight", api.GdipGetImageHeight) &&
           Resolve(module, "GdipImageGetFrameCount", api.GdipImageGetFrameCount) &&
           Resolve(module, "GdipImageSelectActiveFrame", api.GdipImageSelectActiveFrame) &&
           Resolve(module, "GdipGetPropertyItemSize", api.GdipGetPropertyItemSize) &&
           Resolve(module, "GdipGetPropertyItem", api.GdipGetPropertyItem) &&
           Resolve(module, "GdipCreateFromHDC", api.GdipCreateFromHDC) &&
           Resolve(module, "GdipDrawImageRectI", api.GdipDrawImageRectI) &&
           Resolve(module, "GdipDeleteGraphics", api.GdipDeleteGraphics);
}

bool StartGdiPlus(HMODULE module)
{
    decltype(&Gdiplus::GdiplusStartup) startup = nullptr;
    ULONG_PTR token = 0;
    const Gdiplus::GdiplusStartupInput input;
    return Resolve(module, "GdiplusStartup", startup) && startup(&token, &input, nullptr) == Gdiplus::Ok;
}

BOOL CALLBACK LoadGdiPlusOnce(PINIT_ONCE, PVOID, PVOID* loaded)
{
    *loaded = nullptr;
    HMODULE module = LoadLibraryExW(L"gdiplus.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
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
