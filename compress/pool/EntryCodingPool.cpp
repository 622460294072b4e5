#include "compress/pool/EntryCodingPool.h"

#include <system_error>

#include "compress/pool/ProgressWait.h"

TEntryCodingPool::TEntryCodingPool(const TEntryMethod& method, std::int32_t key, unsigned workers,
                                   const TThreadStarter& start)
    : method_(method), key_(key)
{
    workers_.reserve(workers);  // so that no started thread is dropped by a failing push_back
    try {
        for (unsigned i = 0; i < workers; ++i) workers_.push_back(start([this] { Work(); }));
    } catch (const std::system_error&) {
        Stop();
        workers_.clear();
        stopping_ = false;
    }
}

TEntryCodingPool::~TEntryCodingPool() { Stop(); }

void TEntryCodingPool::Stop()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    for (std::thread& worker : workers_)
        if (worker.joinable()) worker.join();
}

std::size_t TEntryCodingPool::Add(const TArchiveSource& file, std::int64_t size)
{
    auto job = std::make_unique<Job>();
    job->file = file;
    job->size = size;
    std::size_t ticket = 0;
    {
        const std::lock_guard lock(mutex_);
        ticket = jobs_.size();
        jobs_.push_back(std::move(job));
        bytesAhead_ += size;
    }
    changed_.notify_all();
    return ticket;
}

std::int64_t TEntryCodingPool::BytesAhead() const
{
    const std::lock_guard lock(mutex_);
    return bytesAhead_;
}

void TEntryCodingPool::Work()
{
    for (;;) {
        Job* job = nullptr;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return stopping_ || nextToCode_ < jobs_.size(); });
            if (stopping_) return;
            job = jobs_[nextToCode_++].get();
        }
        Code(*job, [this, job](std::int32_t& percentageDone) {
            job->percent = percentageDone;
            if (stopping_) percentageDone = -1;
        });
        changed_.notify_all();
    }
}

void TEntryCodingPool::Code(Job& job, const TShowProgressEvent& progress)
{
    TCodedEntry coded;
    std::exception_ptr error;
    try {
        coded = CodeEntryInMemory(job.file, method_, key_, progress);
    } catch (...) {
        error = std::current_exception();
    }
    const std::lock_guard lock(mutex_);
    job.coded = std::move(coded);
    job.error = error;
    job.done = true;
}

TCodedEntry TEntryCodingPool::Take(std::size_t ticket, const TShowProgressEvent& progress)
{
    if (workers_.empty()) return CodeHere(ticket, progress);
    std::unique_lock lock(mutex_);
    Job& job = *jobs_.at(ticket);
    if (!WaitPassingProgress(lock, changed_, [&job] { return job.done; }, job.percent, progress)) {
        Stop();
        TCodedEntry cancelled;
        cancelled.Cancelled = true;
        return cancelled;
    }
    lock.unlock();
    return HandOver(ticket);
}

// The caller's thread codes the entry, and its progress handler hears the coding directly.
TCodedEntry TEntryCodingPool::CodeHere(std::size_t ticket, const TShowProgressEvent& progress)
{
    Job& job = *jobs_.at(ticket);
    Code(job, [&progress](std::int32_t& percentageDone) {
        if (progress) progress(percentageDone);
    });
    return HandOver(ticket);
}

TCodedEntry TEntryCodingPool::HandOver(std::size_t ticket)
{
    const std::lock_guard lock(mutex_);
    Job& job = *jobs_.at(ticket);
    TCodedEntry coded = std::move(job.coded);
    const std::exception_ptr error = job.error;
    bytesAhead_ -= job.size;
    jobs_[ticket].reset();
    if (error) std::rethrow_exception(error);
    return coded;
}
