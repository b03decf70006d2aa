// A test fixture with a fresh directory of its own, for tests of files.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/ScratchDirectory.h"

namespace test {

class ScratchDirectoryTest : public ::testing::Test {
protected:
    std::string PathOf(const std::string& name) const { return m_scratch.PathOf(name); }
    static void WriteBytes(const std::string& path, const std::string& bytes) {
        ScratchDirectory::WriteBytes(path, bytes);
    }
    static std::string ReadBytes(const std::string& path) {
        return ScratchDirectory::ReadBytes(path);
    }
    std::vector<std::string> Entries() const { return m_scratch.Entries(); }

    ScratchDirectory m_scratch;
};

}  // namespace test
