// Small helpers shared by the icon engine tests: little-endian reads, whole-file reads, a
// scratch folder that is removed afterwards and environment variables restored on exit.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

#ifndef _WIN32
#include "tests/support/FileSizeLimit.h"
#endif

namespace glyphora::testing {

inline std::uint32_t LE16(const std::vector<std::uint8_t>& b, std::size_t off)
{
    return b.at(off) | (b.at(off + 1) << 8);
}
inline std::uint32_t LE32(const std::vector<std::uint8_t>& b, std::size_t off)
{
    return LE16(b, off) | (LE16(b, off + 2) << 16);
}
inline void PutLE(std::vector<std::uint8_t>& b, std::size_t off, std::uint32_t v, int bytes = 4)
{
    for (int i = 0; i < bytes; ++i)
        b.at(off + i) = static_cast<std::uint8_t>(v >> (8 * i));
}

inline std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& p, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(p, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A fresh empty folder per test, removed with everything in it afterwards.
class ScratchDir {
public:
    ScratchDir()
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        // A random tag keeps two builds that run the suite at once apart.
        std::string name = std::string("glyphora_engine_") + info->test_suite_name() + "_" + info->name() + "_" +
                           std::to_string(std::random_device{}());
        for (char& c : name)
            if (c == '/') c = '_';
        path_ = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(path_))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path path_;
};

// Sets or clears an environment variable for the scope of a test.
class EnvVar {
public:
    EnvVar(const char* name, const std::optional<std::string>& value) : name_(name)
    {
        if (const char* old = std::getenv(name)) old_ = old;
        Set(value);
    }
    ~EnvVar() { Set(old_); }

private:
    void Set(const std::optional<std::string>& value)
    {
#ifdef _WIN32
        _putenv_s(name_.c_str(), value ? value->c_str() : "");
#else
        if (value)
            setenv(name_.c_str(), value->c_str(), 1);
        else
            unsetenv(name_.c_str());
#endif
    }
    std::string name_;
    std::optional<std::string> old_;
};

} // namespace glyphora::testing
