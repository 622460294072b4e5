#pragma once
// The -lh5- encoder's block stage: gathers literals and matches into a block, and when the block is
// full has it sent while the next one is gathered. The first full block starts a sending thread, so
// the trie search never waits for the Huffman coding; a shorter input is sent on the caller's thread,
// and so is everything on a single core or in a run kept to one thread.
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

#include "compress/lh5/Lh5Block.h"
#include "compress/lh5/Lh5BlockSender.h"

class TLh5BlockWriter {
public:
    explicit TLh5BlockWriter(TCompThreadSafety& state);
    TLh5BlockWriter(const TLh5BlockWriter&) = delete;
    TLh5BlockWriter& operator=(const TLh5BlockWriter&) = delete;
    // Waits for the block being sent, if any.
    ~TLh5BlockWriter();

    // A literal (symbol below 256) or a match (symbol 256 + length - 3 with its distance code).
    void Output(unsigned symbol, unsigned distanceCode);
    // Sends the last block and completes the last byte; an error of the sending is raised here, or at
    // the next full block.
    void Finish();

private:
    void HandOver();
    void WaitUntilSent();
    void Sending();
    void StopSending();

    TLh5BlockSender sender_;
    const bool sendOnThread_;
    TLh5Block blocks_[2];
    TLh5Block* gathering_ = &blocks_[0];
    unsigned outputMask_ = 0;

    std::mutex mutex_;
    std::condition_variable changed_;
    TLh5Block* toSend_ = nullptr;
    bool stopping_ = false;
    std::exception_ptr error_;
    std::thread thread_;
};
