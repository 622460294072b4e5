#pragma once
// One run of a product at a time: a named mutex for the product's title, held from the start of the run to
// its end, by interactive and silent runs, installs and uninstalls alike. A second run finds it held.
#include <windows.h>

#include <string>

class TProductLock {
public:
    explicit TProductLock(const std::string& title);
    ~TProductLock();
    TProductLock(const TProductLock&) = delete;
    TProductLock& operator=(const TProductLock&) = delete;

    // False when another run of the product holds it.
    bool Held() const { return held_; }

private:
    HANDLE mutex_ = nullptr;
    bool held_ = false;
};
