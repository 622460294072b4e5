#pragma once
// A fresh directory for one test, removed with everything in it when the test ends. Its name holds the
// test, the process and a count of the process's scratch directories, so two in one test, or two test
// programs running at once, never share one.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

class ScratchDir {
public:
    ScratchDir()
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = "setup-test-";
        if (info != nullptr) name += std::string(info->test_suite_name()) + "-" + info->name();
        name += "-" + std::to_string(ProcessId()) + "-" + std::to_string(++instances_);
        for (char& c : name)
            if (c == '/') c = '-';
        root_ = std::filesystem::temp_directory_path() / name;
        Clear();
        std::filesystem::create_directories(root_);
    }
    ~ScratchDir() { Clear(); }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    // The directory in the platform's own spelling, ending in its separator.
    // UTF-8 on every platform: the narrow string() of a Windows path takes the C library's code page.
    std::string Path() const
    {
        const std::u8string text = (root_ / "").u8string();
        return {text.begin(), text.end()};
    }
    // A path below it; "\" separates names whatever the platform, as in the components.
    std::string operator/(const std::string& relative) const { return Path() + Windows(relative); }

    static std::string Windows(std::string path)
    {
#ifdef _WIN32
        for (char& c : path)
            if (c == '/') c = '\\';
#endif
        return path;
    }

    static void Write(const std::string& path, const std::string& bytes)
    {
        std::ofstream out(Native(path), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        ASSERT_TRUE(out.good()) << path;
    }

    static std::string Read(const std::string& path)
    {
        std::ifstream in(Native(path), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    static std::string Native(std::string path)
    {
#ifndef _WIN32
        for (char& c : path)
            if (c == '\\') c = '/';
#endif
        return path;
    }

private:
    static long ProcessId()
    {
#ifdef _WIN32
        return _getpid();
#else
        return static_cast<long>(getpid());
#endif
    }

    void Clear()
    {
        std::error_code ignored;
        // Read-only files must become writable before a Windows directory can be removed. A tree too deep
        // for the system to walk ends the walk, not the test program.
        std::error_code walk;
        for (std::filesystem::recursive_directory_iterator entry(root_, walk), end; !walk && entry != end;
             entry.increment(walk))
            std::filesystem::permissions(entry->path(), std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(root_, ignored);
    }

    inline static int instances_ = 0;
    std::filesystem::path root_;
};
