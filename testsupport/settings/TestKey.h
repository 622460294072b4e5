#pragma once
// A registry key of its own for one test, "Software\SetupTests\" + the test's name, removed afterwards.
#include <gtest/gtest.h>

#include <string>

#include "settings/Registry.h"

class TestKey {
public:
    explicit TestKey(HKEY root) : root_(root)
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::string("Software\\SetupTests\\") + info->test_suite_name() + "." + info->name();
        TRegistry(root_).DeleteKey(path_);
    }
    ~TestKey() { TRegistry(root_).DeleteKey(path_); }
    TestKey(const TestKey&) = delete;
    TestKey& operator=(const TestKey&) = delete;

    const std::string& Path() const { return path_; }

    void WriteRaw(const std::string& name, DWORD type, const void* data, DWORD size) const
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), 0);
        EXPECT_EQ(RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size), 0);
        RegCloseKey(key);
    }

    void WriteString(const std::string& name, const std::string& value, DWORD type = REG_SZ) const
    {
        WriteRaw(name, type, value.c_str(), static_cast<DWORD>(value.size() + 1));
    }

private:
    HKEY root_;
    std::string path_;
};
