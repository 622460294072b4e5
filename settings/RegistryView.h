#pragma once
// The registry view a run keeps its product's keys in: a 32-bit program's own by default, the 64-bit one for a
// 64-bit product. TRegistry and the raw registry functions open every key in it, so that a product's keys, its
// entry and the journal's lines about them all name the same keys.
#include <windows.h>

// 0 (the program's own view) or KEY_WOW64_64KEY.
REGSAM RegistryView();

// The view for as long as it lives; the one before afterwards.
class TRegistryViewScope {
public:
    explicit TRegistryViewScope(REGSAM view);
    ~TRegistryViewScope();
    TRegistryViewScope(const TRegistryViewScope&) = delete;
    TRegistryViewScope& operator=(const TRegistryViewScope&) = delete;

private:
    REGSAM before_;
};
