#include "compress/lh5/Lh5BlockWriter.h"

TLh5BlockWriter::TLh5BlockWriter(TCompThreadSafety& state)
    : sender_(state), sendOnThread_(!state.OneThread() && std::thread::hardware_concurrency() > 1)
{
}

TLh5BlockWriter::~TLh5BlockWriter() { StopSending(); }

void TLh5BlockWriter::Output(unsigned symbol, unsigned distanceCode)
{
    outputMask_ >>= 1;
    if (outputMask_ == 0) {
        outputMask_ = 0x80;
        // Room for a flag byte and eight matches of three bytes must remain.
        if (gathering_->outputPos >= TLh5Block::kBufferSize - 24) HandOver();
        TLh5Block& block = *gathering_;
        block.flagPos = block.outputPos++;
        block.buffer[block.flagPos] = 0;
    }
    TLh5Block& block = *gathering_;
    block.buffer[block.outputPos++] = static_cast<unsigned char>(symbol);
    ++block.charFreq[symbol];
    if (symbol >= 0x100) {
        block.buffer[block.flagPos] = static_cast<unsigned char>(block.buffer[block.flagPos] | outputMask_);
        block.buffer[block.outputPos++] = static_cast<unsigned char>(distanceCode >> 8);
        block.buffer[block.outputPos++] = static_cast<unsigned char>(distanceCode);
        ++block.posFreq[DistanceClass(distanceCode)];
    }
}

// Sends the full block, on the sending thread where there is one; the search goes on with the other
// block once that one is sent.
void TLh5BlockWriter::HandOver()
{
    if (!sendOnThread_) {
        sender_.Send(*gathering_);
        gathering_->Clear();
        return;
    }
    if (!thread_.joinable()) thread_ = std::thread([this] { Sending(); });
    WaitUntilSent();
    {
        const std::lock_guard lock(mutex_);
        toSend_ = gathering_;
    }
    changed_.notify_all();
    gathering_ = gathering_ == &blocks_[0] ? &blocks_[1] : &blocks_[0];
    gathering_->Clear();
}

void TLh5BlockWriter::WaitUntilSent()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return toSend_ == nullptr; });
    if (error_) std::rethrow_exception(error_);
}

void TLh5BlockWriter::Sending()
{
    for (;;) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return toSend_ != nullptr || stopping_; });
        if (stopping_) return;
        TLh5Block& block = *toSend_;
        lock.unlock();
        try {
            sender_.Send(block);
        } catch (...) {
            lock.lock();
            error_ = std::current_exception();
            stopping_ = true;
            toSend_ = nullptr;
            changed_.notify_all();
            return;
        }
        lock.lock();
        toSend_ = nullptr;
        changed_.notify_all();
    }
}

void TLh5BlockWriter::StopSending()
{
    if (!thread_.joinable()) return;
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void TLh5BlockWriter::Finish()
{
    if (thread_.joinable()) {
        WaitUntilSent();
        StopSending();
    }
    sender_.Send(*gathering_);
    sender_.Finish();
}
