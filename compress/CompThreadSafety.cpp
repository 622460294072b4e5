#include "compress/CompThreadSafety.h"

#include <algorithm>
#include <cstring>
#include <thread>

#include "compress/CompressExceptions.h"

std::int32_t Percent(std::int32_t done, std::int32_t total)
{
    if (total <= 100000) return total == 0 ? 0 : done * 100 / total;
    return done / (total / 100);
}

void TCompThreadSafety::Begin(const Run& run)
{
    input_ = run.input;
    output_ = run.output;
    inBuffer_ = std::make_unique<unsigned char[]>(kBufferSize);
    outBuffer_ = std::make_unique<unsigned char[]>(kBufferSize);
    inPos_ = inEnd_ = outPos_ = 0;
    endOfInput_ = false;
    cancelled_ = false;
    bytesPastEnd_ = 0;
    firstByte = true;
    lastByte = 0;
    inRun = false;
    runCount = 0;
    inputSize_ = std::max<std::int32_t>(run.inputSize, 0);
    inputRemaining_ = inputSize_;
    inputCount_ = 0;
    chunkSize_ = kBufferSize;
    inputSum_ = outputSum_ = 0;
    progressTotal_ = 0;
    outputCount_ = 0;
    outputBudget_ = run.outputBudget;
    unscrambleInput_ = run.unscrambleInput;
    scrambleOutput_ = run.scrambleOutput;
    const auto key = static_cast<std::uint32_t>(run.key);
    for (std::size_t i = 0; i < keyBytes_.size(); ++i) keyBytes_[i] = static_cast<unsigned char>(key >> (8 * i));
    keyIndex_ = 0;
    progress_ = run.progress;
    oneThread_ = run.oneThread;
    chain_ = run.chain;
}

void TCompThreadSafety::Flush()
{
    if (outPos_ > 0) output_->WriteBuffer(outBuffer_.get(), outPos_);
    Release();
}

void TCompThreadSafety::Release()
{
    inBuffer_.reset();
    outBuffer_.reset();
    inPos_ = inEnd_ = outPos_ = 0;
}

std::size_t TCompThreadSafety::ReadInput(unsigned char* dest, std::size_t count)
{
    std::size_t done = 0;
    while (done < count && (inPos_ < inEnd_ || Refill())) {
        const std::size_t n = std::min(count - done, inEnd_ - inPos_);
        const unsigned char* from = inBuffer_.get() + inPos_;
        std::uint32_t sum = 0;
        for (std::size_t i = 0; i < n; ++i) sum += from[i];
        inputSum_ += sum;
        std::memcpy(dest + done, from, n);
        if (unscrambleInput_) {
            for (std::size_t i = done; i < done + n; ++i) {
                dest[i] = static_cast<unsigned char>(dest[i] ^ keyBytes_[keyIndex_]);
                keyIndex_ = static_cast<std::uint16_t>((keyIndex_ + 1) & 3);
            }
        }
        inPos_ += n;
        done += n;
    }
    return done;
}

bool TCompThreadSafety::Refill()
{
    if (FillBuffer()) return true;
    ++bytesPastEnd_;
    return false;
}

bool TCompThreadSafety::FillBuffer()
{
    endOfInput_ = true;
    if (inputRemaining_ == 0) return false;
    chunkSize_ = std::min(chunkSize_, inputRemaining_);
    const std::size_t n = input_->Read(inBuffer_.get(), static_cast<std::size_t>(chunkSize_));
    inputRemaining_ -= static_cast<std::int32_t>(n);
    inputCount_ += static_cast<std::int64_t>(n);
    if (n == 0) {
        inputRemaining_ = 0;  // the stream is shorter than announced: its end is the end of input
        return false;
    }
    if (progress_) {
        progressTotal_ += static_cast<std::int32_t>(n);
        std::int32_t percentageDone = Percent(progressTotal_, progressTotal_ + inputRemaining_);
        progress_(percentageDone);
        if (percentageDone == -1) {
            cancelled_ = true;
            inputRemaining_ = 0;  // cancelled: the chunk just read is not used, nor anything after it
            return false;
        }
    }
    std::this_thread::yield();
    inPos_ = 0;
    inEnd_ = n;
    endOfInput_ = false;
    return true;
}

void TCompThreadSafety::WriteOutputBuffer()
{
    std::this_thread::yield();
    output_->WriteBuffer(outBuffer_.get(), outPos_);
    outPos_ = 0;
}

void TCompThreadSafety::ThrowBudgetSpent() { throw EUnableToCompress(); }
