#include "ui/CommonControls.h"

#include "shell/SystemDll.h"

namespace {

// Loaded once per process and kept to its end, through the system's one-time initialisation (not a guarded
// function static: see RegisterCustomClass).
INIT_ONCE commonControlsOnce = INIT_ONCE_STATIC_INIT;
TCommonControls commonControls;

bool ResolveAll(HMODULE module, TCommonControls& functions)
{
    return ResolveFunction(module, "InitCommonControlsEx", functions.InitCommonControlsEx) &&
           ResolveFunction(module, "SetWindowSubclass", functions.SetWindowSubclass) &&
           ResolveFunction(module, "RemoveWindowSubclass", functions.RemoveWindowSubclass) &&
           ResolveFunction(module, "DefSubclassProc", functions.DefSubclassProc);
}

BOOL CALLBACK LoadCommonControlsOnce(PINIT_ONCE, PVOID, PVOID* loaded)
{
    *loaded = nullptr;
    // The controls draw through the themes, which Wine's uxtheme paints with msimg32, loaded on first use along
    // the program's own search path (the program's folder first, whatever SetDefaultDllDirectories said); loaded
    // from the system folder now, it is found loaded then.
    LoadSystemDll(L"msimg32.dll");
    HMODULE module = LoadSystemDll(L"comctl32.dll");
    if (module == nullptr) return TRUE;
    TCommonControls functions{};
    if (ResolveAll(module, functions)) {
        commonControls = functions;
        *loaded = &commonControls;
    } else {
        FreeLibrary(module);
    }
    return TRUE;
}

}  // namespace

const TCommonControls* CommonControls()
{
    PVOID loaded = nullptr;
    InitOnceExecuteOnce(&commonControlsOnce, LoadCommonControlsOnce, nullptr, &loaded);
    return static_cast<const TCommonControls*>(loaded);
}
