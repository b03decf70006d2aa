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

#include "tests/support/ScratchDirectory.h"

namespace scores_test {

namespace fs = std::filesystem;

class InTemporaryDirectory : public testing::Test {
protected:
    static void WriteBytes(const std::string& path, const std::string& bytes) {
        test::ScratchDirectory::WriteBytes(path, bytes);
    }
    static std::string ReadBytes(const std::string& path) {
        return test::ScratchDirectory::ReadBytes(path);
    }
    std::vector<std::string> Entries() const { return m_scratch.Entries(); }

    test::ScratchDirectory m_scratch{true};
    const fs::path& m_directory = m_scratch.Path();
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
