#include "compress/pool/SolidParts.h"

#include <system_error>

#include "compress/lzma/LzmaSolid.h"
#include "compress/pool/ProgressWait.h"
#include "port/FileStream.h"
#include "port/FileSystem.h"

namespace {

std::int64_t SizeOrZero(const std::string& path)
{
    return port::FileExists(path) ? FileStream(path, FileMode::OpenRead).Size() : 0;
}

// A program or library starts with "MZ", as the solid method's filter tells them.
bool IsProgram(const std::string& path)
{
    if (!port::FileExists(path)) return false;
    FileStream file(path, FileMode::OpenRead);
    unsigned char start[2] = {};
    return file.Read(start, sizeof start) == sizeof start && start[0] == 'M' && start[1] == 'Z';
}

}  // namespace

TSolidParts::TSolidParts(std::vector<TArchiveSource> files, const TEntryMethod& method, std::int32_t key, bool threads)
    : files_(std::move(files)), method_(method), key_(key)
{
    std::vector<std::int64_t> sizes;
    std::int64_t total = 0;
    std::int64_t programBytes = 0;
    for (const TArchiveSource& file : files_) {
        total += sizes.emplace_back(SizeOrZero(file.Path));
        if (IsProgram(file.Path)) programBytes += sizes.back();
    }
    // A part after the first goes on from the files before it, and its coder takes in as much of them as
    // it reaches before it codes its own: the parts are cut so that each takes in and codes
    // about as many bytes. Entry i belongs to the part in which its middle byte falls.
    const std::size_t count = std::max<std::size_t>(1, std::min(kParts, files_.size()));
    const std::int64_t reach = std::min<std::int64_t>(total, lzma::solid::kPartReach);
    const std::int64_t share =
        (total + static_cast<std::int64_t>(count - 1) * reach) / static_cast<std::int64_t>(count);
    parts_.resize(count);
    std::int64_t before = 0;
    for (std::size_t i = 0; i < files_.size(); ++i) {
        const std::int64_t middle = before + sizes[i] / 2;
        std::size_t part = partOf_.empty() ? 0 : partOf_.back();
        while (part + 1 < count && middle >= static_cast<std::int64_t>(part + 1) * (share - reach) + reach) ++part;
        partOf_.push_back(part);
        before += sizes[i];
        entries_.push_back(std::make_unique<Entry>());
    }
    for (std::size_t part = 0; part < count; ++part) {
        parts_[part].plannedBytes = total;
        parts_[part].programs = programBytes * 2 > total;
        for (std::size_t i = 0; i < files_.size() && partOf_[i] < part; ++i)
            parts_[part].filesBefore.emplace_back(files_[i].Path, sizes[i]);
    }
    if (!threads || count < 2) return;
    threads_.reserve(count);  // so that no started thread is dropped by a failing push_back
    try {
        for (std::size_t part = 0; part < count; ++part) threads_.emplace_back([this, part] { CodePart(part); });
    } catch (const std::system_error&) {
        Stop();
        threads_.clear();
        stopping_ = false;
        for (const auto& entry : entries_) entry->done = false;
        for (TCodingChain& part : parts_) part.state.reset();
    }
}

TSolidParts::~TSolidParts()
{
    Stop();
}

void TSolidParts::Stop()
{
    stopping_ = true;
    for (std::thread& thread : threads_)
        if (thread.joinable()) thread.join();
}

void TSolidParts::CodePart(std::size_t part)
{
    for (std::size_t i = 0; i < files_.size() && !stopping_; ++i) {
        if (partOf_[i] != part) continue;
        Entry& entry = *entries_[i];
        Code(i, [this, &entry](std::int32_t& percentageDone) {
            entry.percent = percentageDone;
            if (stopping_) percentageDone = -1;
        });
        changed_.notify_all();
        if (entry.error) return;  // the writer stops at it: the entries after it are never taken
    }
}

void TSolidParts::Code(std::size_t i, const TShowProgressEvent& progress)
{
    TCodedEntry coded;
    std::exception_ptr error;
    try {
        coded = CodeEntryInMemory(files_[i], method_, key_, progress, &parts_[partOf_[i]]);
    } catch (...) {
        error = std::current_exception();
    }
    const std::lock_guard lock(mutex_);
    entries_[i]->coded = std::move(coded);
    entries_[i]->error = error;
    entries_[i]->done = true;
}

TCodedEntry TSolidParts::Take(std::size_t i, const TShowProgressEvent& progress)
{
    Entry& entry = *entries_.at(i);
    if (threads_.empty()) {
        Code(i, [&progress](std::int32_t& percentageDone) {
            if (progress) progress(percentageDone);
        });
    } else {
        std::unique_lock lock(mutex_);
        if (!WaitPassingProgress(lock, changed_, [&entry] { return entry.done; }, entry.percent, progress)) {
            Stop();
            TCodedEntry cancelled;
            cancelled.Cancelled = true;
            return cancelled;
        }
    }
    const std::lock_guard lock(mutex_);
    if (entry.error) std::rethrow_exception(entry.error);
    return std::move(entry.coded);
}
