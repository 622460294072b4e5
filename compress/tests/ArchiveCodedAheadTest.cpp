// Archives whose files are coded on worker threads ahead of the writer.
#include <gtest/gtest.h>

#include <functional>
#include <system_error>
#include <thread>

#include "compress/Compress.h"
#include "compress/CompressExceptions.h"
#include "compress/pool/EntryCodingPool.h"
#include "port/FileStream.h"
#include "port/FileSystem.h"
#include "testsupport/GeneratedBytes.h"
#include "testsupport/ScratchDir.h"

namespace {

bool SeveralCores() { return std::thread::hardware_concurrency() >= 2; }

class CodedAhead : public ::testing::Test {
protected:
    ScratchDir dir;

    std::vector<TArchiveSource> Sources(const std::vector<std::string>& contents)
    {
        std::vector<TArchiveSource> sources;
        for (const std::string& data : contents) {
            const std::string name = "in-" + std::to_string(sources.size());
            ScratchDir::Write(dir / name, data);
            sources.push_back({dir / name, name});
        }
        return sources;
    }

    void Archive(TCompress& c, const std::vector<TArchiveSource>& sources, TCompressionMethod method)
    {
        FileStream out(dir / "out.cmp", FileMode::Create);
        c.CompressFiles(out, sources, method);
    }
};

TEST_F(CodedAhead, TheCheckHandlerHearsTheFilesInOrderOnTheCallersThread)
{
    const auto sources = Sources({TextBytes<std::string>(5000, 1), TextBytes<std::string>(6000, 2), TextBytes<std::string>(7000, 3), TextBytes<std::string>(8000, 4), TextBytes<std::string>(9000, 5)});
    ScratchDir::Write(dir / "other", "the file that takes the place of in-3");
    std::vector<std::string> heard;
    std::vector<std::thread::id> threads;
    TCompress c;
    c.OnCheckFile = [&](std::string& path, TCProcessMode mode) {
        EXPECT_EQ(mode, cpCompress);
        heard.push_back(path);
        threads.push_back(std::this_thread::get_id());
        if (path == dir / "in-1") path.clear();
        if (path == dir / "in-3") path = dir / "other";
    };
    Archive(c, sources, coLZH5);
    ASSERT_EQ(heard.size(), sources.size());
    for (std::size_t i = 0; i < sources.size(); ++i) {
        EXPECT_EQ(heard[i], sources[i].Path);
        EXPECT_EQ(threads[i], std::this_thread::get_id());
    }

    TCompress x;
    x.SetTargetPath(dir / "x");
    x.MakeDirectories = true;
    x.ExpandArchive(dir / "out.cmp", nullptr);
    EXPECT_FALSE(port::FileExists(dir / "x\\in-1")) << "skipped";
    EXPECT_EQ(ScratchDir::Read(dir / "x\\in-3"), "the file that takes the place of in-3");
    EXPECT_EQ(ScratchDir::Read(dir / "x\\in-4"), TextBytes<std::string>(9000, 5));
}

TEST_F(CodedAhead, ProgressRunsFromNoughtToAHundredForEachEntryOnTheCallersThread)
{
    const auto sources = Sources({TextBytes<std::string>(400000, 1), TextBytes<std::string>(300000, 2), TextBytes<std::string>(200000, 3)});
    std::vector<std::int32_t> heard;
    TCompress c;
    const std::thread::id caller = std::this_thread::get_id();
    std::vector<std::thread::id> threads;
    c.OnShowProgress = [&](std::int32_t& percent) {
        heard.push_back(percent);
        threads.push_back(std::this_thread::get_id());
    };
    Archive(c, sources, coLZH5);
    for (const std::thread::id& id : threads) EXPECT_EQ(id, caller);
    int entries = 0;
    std::int32_t last = 100;
    for (const std::int32_t percent : heard) {
        if (percent == 0) {
            EXPECT_EQ(last, 100) << "an entry starts after the one before ended";
            ++entries;
        } else {
            EXPECT_GE(percent, last) << "progress within an entry does not go back";
        }
        last = percent;
    }
    EXPECT_EQ(entries, 3);
    EXPECT_EQ(last, 100);
}

TEST_F(CodedAhead, CancellingStopsTheWholeArchiveAndNamesTheFile)
{
    const auto sources = Sources({TextBytes<std::string>(200000, 1), TextBytes<std::string>(2000000, 2), TextBytes<std::string>(2000000, 3), TextBytes<std::string>(2000000, 4)});
    int starts = 0;
    TCompress c;
    c.OnShowProgress = [&](std::int32_t& percent) {
        if (percent == 0 && ++starts == 2) percent = -1;
    };
    try {
        Archive(c, sources, coLZH5);
        FAIL() << "the archive was written";
    } catch (const Exception& e) {
        EXPECT_NE(std::string(e.what()).find("in-1"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(c.Cancelled());
}

TEST_F(CodedAhead, AFileThatCannotBeOpenedFailsInItsPlace)
{
    auto sources = Sources({TextBytes<std::string>(50000, 1), TextBytes<std::string>(50000, 2)});
    sources.insert(sources.begin() + 1, {dir / "gone.txt", "gone.txt"});
    std::vector<std::string> heard;
    TCompress c;
    c.OnCheckFile = [&](std::string& path, TCProcessMode) { heard.push_back(path); };
    try {
        Archive(c, sources, coLZH5);
        FAIL() << "the archive was written";
    } catch (const EFOpenError& e) {
        EXPECT_NE(std::string(e.what()).find("gone.txt"), std::string::npos) << e.what();
    }
}

// With a limit of 100,000 bytes: in-0 is too large to wait in memory and is coded by the writer; in-1
// is coded ahead, but in-2 must wait until in-1 has been written, and in-3 is looked at only then.
TEST_F(CodedAhead, FilesWaitInMemoryOnlyUpToTheLimit)
{
    if (!SeveralCores()) GTEST_SKIP() << "one core: files are coded one after the other";
    const auto sources = Sources({TextBytes<std::string>(150000, 1), TextBytes<std::string>(60000, 2), TextBytes<std::string>(50000, 3), TextBytes<std::string>(1000, 4)});
    std::string events;
    TCompress c;
    c.CodedAheadLimit = 100000;
    c.OnCheckFile = [&](std::string& path, TCProcessMode) { events += "check " + path.substr(path.size() - 1) + "\n"; };
    int written = 0;
    std::int32_t last = 0;
    c.OnShowProgress = [&](std::int32_t& percent) {
        if (percent == 100 && last != 100) events += "wrote " + std::to_string(written++) + "\n";
        last = percent;
    };
    Archive(c, sources, coLZH5);
    EXPECT_EQ(events, "check 0\ncheck 1\ncheck 2\nwrote 0\nwrote 1\ncheck 3\nwrote 2\nwrote 3\n");

    TCompress x;
    x.SetTargetPath(dir / "x");
    x.MakeDirectories = true;
    x.ExpandArchive(dir / "out.cmp", nullptr);
    for (std::size_t i = 0; i < sources.size(); ++i)
        EXPECT_EQ(ScratchDir::Read(dir / ("x\\in-" + std::to_string(i))), ScratchDir::Read(sources[i].Path));
}

// The system may refuse a thread: those already started are joined (else the program would end at
// once) and every entry is coded on the caller's thread as it is taken, byte for byte as a worker's.
TEST_F(CodedAhead, ARefusedWorkerThreadLeavesTheCodingToTheCallersThread)
{
    const auto sources = Sources({TextBytes<std::string>(30000, 1), RandomBytes<std::string>(20000, 2), TextBytes<std::string>(40000, 3)});
    for (const int refusedAt : {1, 2}) {
        int started = 0;
        TEntryCodingPool pool({coLZH5, EncoderOf(coLZH5, {})}, 0, 3, [&](std::function<void()> work) {
            if (++started == refusedAt)
                throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
            return std::thread(std::move(work));
        });
        EXPECT_EQ(pool.Workers(), 0u) << "refused at thread " << refusedAt;
        for (const TArchiveSource& source : sources) pool.Add(source, 0);
        std::vector<std::thread::id> coders;
        const TShowProgressEvent progress = [&](std::int32_t&) { coders.push_back(std::this_thread::get_id()); };
        for (std::size_t i = 0; i < sources.size(); ++i) {
            const TCodedEntry coded = pool.Take(i, progress);
            const TCodedEntry alone = CodeEntryInMemory(sources[i], {coLZH5, EncoderOf(coLZH5, {})}, 0, {});
            EXPECT_EQ(coded.Data, alone.Data) << i;
            EXPECT_EQ(coded.Header.Encode(), alone.Header.Encode()) << i;
        }
        ASSERT_FALSE(coders.empty());
        for (const std::thread::id& id : coders) EXPECT_EQ(id, std::this_thread::get_id());
    }
}

}  // namespace
