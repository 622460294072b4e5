#pragma once
// The working state of one coding run: the buffered byte source and sink through which every codec
// reads and writes, with the sums, the key scrambling, the output budget and the progress reports.
// Each component owns one; codecs keep no other state between calls, so components are independent.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "compress/CodingChain.h"
#include "port/Stream.h"

using TShowProgressEvent = std::function<void(std::int32_t& PercentageDone)>;

// done × 100 div total, in a form that cannot overflow 32 bits for large totals.
std::int32_t Percent(std::int32_t done, std::int32_t total);

// One coding run's buffers, sums, key and progress: "thread safety" because each run has its own, so runs on
// different threads share nothing. It holds no lock.
class TCompThreadSafety {
public:
    static constexpr std::size_t kBufferSize = 8192;
    static constexpr std::uint32_t kReadAheadSlack = 64;

    struct Run {
        Stream* input = nullptr;
        Stream* output = nullptr;
        std::int32_t inputSize = 0;
        std::int32_t outputBudget = 0;
        bool unscrambleInput = false;
        bool scrambleOutput = false;
        std::int32_t key = 0;
        TShowProgressEvent progress;
        // The codec keeps to the caller's thread: the caller keeps the other cores busy itself.
        bool oneThread = false;
        // The chain of the archive whose entry this is, for a solid method (CodingChain.h).
        TCodingChain* chain = nullptr;
    };

    // Starts a run: attaches the streams, allocates the buffers and resets every counter.
    void Begin(const Run& run);
    // Writes what the output buffer holds and frees both buffers.
    void Flush();
    // Frees the buffers without writing (a run that ends in an exception).
    void Release();

    // The next input byte; at the end (or after a cancel) sets the end-of-input flag and returns 0.
    unsigned char NextInputByte()
    {
        if (inPos_ == inEnd_ && !Refill()) return 0;
        unsigned char b = inBuffer_[inPos_++];
        inputSum_ += b;
        if (unscrambleInput_) {
            b = static_cast<unsigned char>(b ^ keyBytes_[keyIndex_]);
            keyIndex_ = static_cast<std::uint16_t>((keyIndex_ + 1) & 3);
        }
        return b;
    }
    bool EndOfInput() const { return endOfInput_; }
    // The next count input bytes into dest, as as many NextInputByte calls would give them; returns how
    // many there were, fewer only at the end of the input.
    std::size_t ReadInput(unsigned char* dest, std::size_t count);

    // Raises EUnableToCompress once the output budget is spent.
    void PutOutputByte(unsigned char b)
    {
        if (outputBudget_ <= 0) ThrowBudgetSpent();
        --outputBudget_;
        if (outPos_ == kBufferSize) WriteOutputBuffer();
        if (scrambleOutput_) {
            b = static_cast<unsigned char>(b ^ keyBytes_[keyIndex_]);
            keyIndex_ = static_cast<std::uint16_t>((keyIndex_ + 1) & 3);
        }
        outBuffer_[outPos_++] = b;
        outputSum_ += b;
        ++outputCount_;
    }

    // PutOutputByte for each of count bytes.
    void PutOutput(const unsigned char* data, std::size_t count)
    {
        for (std::size_t i = 0; i < count; ++i) PutOutputByte(data[i]);
    }

    bool OneThread() const { return oneThread_; }
    TCodingChain* Chain() const { return chain_; }
    // The input the run announced (its inputSize, at least 0).
    std::int32_t InputSize() const { return inputSize_; }
    std::uint32_t InputSum() const { return inputSum_; }
    std::uint32_t OutputSum() const { return outputSum_; }
    std::int32_t OutputCount() const { return outputCount_; }
    // The bytes taken from the input stream so far.
    std::int64_t InputCount() const { return inputCount_; }
    // The progress handler answered -1: the input ended early.
    bool Cancelled() const { return cancelled_; }
    // A decoder has read well past the end of its input (further than any read-ahead): the data are
    // cut short or their expanded size is a lie, and zero bits would only fill the output with noise.
    bool FarPastEnd() const { return bytesPastEnd_ > kReadAheadSlack; }

    // Run-length state, shared by the run-length decoder and encoder.
    bool firstByte = true;
    unsigned char lastByte = 0;
    bool inRun = false;
    std::int32_t runCount = 0;

private:
    bool Refill();
    bool FillBuffer();
    void WriteOutputBuffer();
    [[noreturn]] static void ThrowBudgetSpent();

    std::unique_ptr<unsigned char[]> inBuffer_;
    std::unique_ptr<unsigned char[]> outBuffer_;
    std::size_t inPos_ = 0;
    std::size_t inEnd_ = 0;
    std::size_t outPos_ = 0;
    Stream* input_ = nullptr;
    Stream* output_ = nullptr;
    bool endOfInput_ = false;
    bool cancelled_ = false;
    std::uint32_t bytesPastEnd_ = 0;
    std::int32_t inputSize_ = 0;
    std::int32_t inputRemaining_ = 0;
    std::int64_t inputCount_ = 0;
    std::int32_t chunkSize_ = kBufferSize;
    std::uint32_t inputSum_ = 0;
    std::uint32_t outputSum_ = 0;
    std::int32_t progressTotal_ = 0;
    std::int32_t outputCount_ = 0;
    std::int32_t outputBudget_ = 0;
    bool unscrambleInput_ = false;
    bool scrambleOutput_ = false;
    bool oneThread_ = false;
    TCodingChain* chain_ = nullptr;
    std::array<unsigned char, 4> keyBytes_{};
    std::uint16_t keyIndex_ = 0;
    TShowProgressEvent progress_;
};
