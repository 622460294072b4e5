#pragma once
// One run of a product at a time on the machine: a named mutex for the product's uninstall entry, held from the
// start of the run to its end, by interactive and silent runs, installs and uninstalls alike, whoever runs them
// and in whichever session. A second run finds it held.
#include <windows.h>

#include <string>

// The mutex's name: in the machine's global namespace, from a hash of the entry's key path (titles compare
// without regard to letter case), so that any title gives a valid name of one length.
std::string ProductLockName(const std::string& title);

class TProductLock {
public:
    explicit TProductLock(const std::string& title);
    ~TProductLock();
    TProductLock(const TProductLock&) = delete;
    TProductLock& operator=(const TProductLock&) = delete;

    // False when another run of the product holds it, or when it could not be made (Problem says why).
    bool Held() const { return held_; }
    const std::string& Problem() const { return problem_; }
    // When it is not held: why, which is anotherRun when another run holds it.
    std::string Refusal(const std::string& anotherRun) const { return problem_.empty() ? anotherRun : problem_; }

private:
    HANDLE mutex_ = nullptr;
    bool held_ = false;
    std::string problem_;
};
