// Test support for hs.dat: every test runs in a fresh directory of its own,
// made the current directory for the test and left again afterwards, because
// the game reads and writes the file relative to the current directory.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <stdlib.h>

namespace scores_test {

namespace fs = std::filesystem;

class InTemporaryDirectory : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "lexodrom-scores-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_directory = pattern;
        m_previous = fs::current_path();
        fs::current_path(m_directory);
    }

    void TearDown() override {
        fs::current_path(m_previous);
        std::error_code ignored;
        fs::permissions(m_directory, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(m_directory, ignored);
    }

    static void WriteBytes(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    static std::string ReadBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // The names in the directory, sorted: a failed write must leave no
    // temporary file behind.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_directory)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path m_directory;
    fs::path m_previous;
};

// The lines joined as the file holds them, each ending in CR LF.
inline std::string WithCrLf(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line + "\r\n";
    }
    return bytes;
}

}  // namespace scores_test
