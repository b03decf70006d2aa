// The runtime services on Windows, where they are the Windows runtime's own:
// text-mode files, the sound rewrite of hs.dat through a new file and
// ReplaceFileW, _spawnlp with its PATH search and error texts, and the
// driver's observer in front of it.
#include <gtest/gtest.h>
#include <windows.h>
#undef ReplaceFile  // <windows.h>'s name for ReplaceFileA or ReplaceFileW

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/runtime/ErrorText.h"
#include "framework/runtime/Spawn.h"
#include "framework/runtime/TextFile.h"
#include "tests/support/ScratchDirectoryTest.h"

namespace {

namespace fs = std::filesystem;

class WindowsFiles : public test::ScratchDirectoryTest {};

// What hs.dat's writer puts into the file: its lines, each ending in '\n'.
bool WriteLines(TextFile& file) {
    return file.PutString("    42  J\xF6rg\n") && file.PutString("     0  Unbekannt\n");
}
const char kLinesOnDisk[] = "    42  J\xF6rg\r\n     0  Unbekannt\r\n";

TEST_F(WindowsFiles, TextModeWritesCrLfAndReadsLinesBack) {
    const std::string path = PathOf("text.dat");
    TextFile out = TextFile::Open(path, "wt");
    ASSERT_TRUE(out.IsOpen());
    EXPECT_TRUE(WriteLines(out));
    EXPECT_TRUE(out.Close());
    EXPECT_EQ(ReadBytes(path), kLinesOnDisk);

    // CR LF and a lone LF both end a line; a Ctrl-Z ends the data.
    WriteBytes(path,
               "A\r\nB\nC\x1A"
               "D\r\n");
    TextFile in = TextFile::Open(path, "rt");
    ASSERT_TRUE(in.IsOpen());
    std::vector<std::string> lines;
    char buffer[200];
    while (in.GetLine(buffer, sizeof buffer) != nullptr) {
        lines.emplace_back(buffer);
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"A\n", "B\n", "C"}));
    EXPECT_EQ(in.Error(), 0);

    EXPECT_FALSE(TextFile::Open(PathOf("missing.dat"), "r").IsOpen());
    EXPECT_EQ(TextFile::Open(path, "a").Error(), EINVAL);
}

TEST_F(WindowsFiles, ReplaceFileWritesANewFileOrReplacesTheOldOneWhole) {
    const std::string path = PathOf("hs.dat");
    int error = -1;
    EXPECT_TRUE(ReplaceFile(path, WriteLines, error));
    EXPECT_EQ(error, 0);
    EXPECT_EQ(ReadBytes(path), kLinesOnDisk);

    WriteBytes(path, "old\r\n");
    EXPECT_TRUE(ReplaceFile(path, WriteLines, error));
    EXPECT_EQ(ReadBytes(path), kLinesOnDisk);
    EXPECT_EQ(Entries(), std::vector<std::string>{"hs.dat"}) << "no temporary file is left";
}

// A failure at any step leaves the old file as it was and no new file beside it.
TEST_F(WindowsFiles, ReplaceFileLeavesTheOldFileWhenItFails) {
    const std::string path = PathOf("hs.dat");
    const std::string old = "     7  Alt\r\n";
    int error = 0;

    WriteBytes(path, old);
    EXPECT_FALSE(ReplaceFile(
        path, [](TextFile& file) { return file.PutString("x\n") && false; }, error));
    EXPECT_EQ(error, ECANCELED);
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(Entries(), std::vector<std::string>{"hs.dat"});

    // A read-only file (the attribute a player sets in the file's properties)
    // is the player's decision: not written, and it stays read-only.
    const std::wstring widePath = fs::path(path).wstring();
    ASSERT_TRUE(SetFileAttributesW(widePath.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(ReplaceFile(path, WriteLines, error));
    EXPECT_EQ(error, EACCES);
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(GetFileAttributesW(widePath.c_str()) & FILE_ATTRIBUTE_READONLY,
              DWORD{FILE_ATTRIBUTE_READONLY});
    EXPECT_EQ(Entries(), std::vector<std::string>{"hs.dat"});
    SetFileAttributesW(widePath.c_str(), FILE_ATTRIBUTE_NORMAL);

    fs::create_directory(PathOf("dir.dat"));
    EXPECT_FALSE(ReplaceFile(PathOf("dir.dat"), WriteLines, error));
    EXPECT_NE(error, 0);
    EXPECT_TRUE(fs::is_directory(PathOf("dir.dat")));
    EXPECT_EQ(Entries(), (std::vector<std::string>{"dir.dat", "hs.dat"}));
}

TEST(WindowsSpawn, StartsFromPathAndReportsTheRuntimesErrorText) {
    // cmd.exe lives in the system folder, which is on every PATH.
    EXPECT_GT(
        _spawnlp(_P_NOWAIT, "cmd.exe", "cmd.exe", "/c", "exit", static_cast<const char*>(nullptr)),
        0);

    errno = 0;
    EXPECT_EQ(_spawnlp(_P_NOWAIT, "lexodrom-no-such-program.exe", "lexodrom-no-such-program.exe",
                       static_cast<const char*>(nullptr)),
              -1);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(framework::runtime::ErrorText(ENOENT), "No such file or directory");
    EXPECT_EQ(framework::runtime::ErrorText(EACCES), "Permission denied");
}

TEST(WindowsSpawn, AnObserverSeesEveryStartWhileItIsSet) {
    std::vector<framework::runtime::SpawnRecord> seen;
    framework::runtime::SetSpawnObserver(
        [&seen](const framework::runtime::SpawnRecord& record) { seen.push_back(record); });
    const std::intptr_t started =
        _spawnlp(_P_NOWAIT, "cmd.exe", "cmd.exe", "/c", "exit", static_cast<const char*>(nullptr));
    errno = 0;
    const std::intptr_t failed =
        _spawnlp(_P_NOWAIT, "lexodrom-no-such-program.exe", "x", static_cast<const char*>(nullptr));
    const int error = errno;
    framework::runtime::SetSpawnObserver({});
    _spawnlp(_P_NOWAIT, "cmd.exe", "cmd.exe", "/c", "exit", static_cast<const char*>(nullptr));

    EXPECT_GT(started, 0);
    EXPECT_EQ(failed, -1);
    EXPECT_EQ(error, ENOENT) << "the caller still sees the runtime's errno";
    ASSERT_EQ(seen.size(), 2u) << "nothing is seen once the observer is gone";
    EXPECT_EQ(seen[0].program, "cmd.exe");
    EXPECT_EQ(seen[0].arguments, (std::vector<std::string>{"cmd.exe", "/c", "exit"}));
    EXPECT_EQ(seen[0].result, started);
    EXPECT_EQ(seen[0].error, 0);
    EXPECT_EQ(seen[1].program, "lexodrom-no-such-program.exe");
    EXPECT_EQ(seen[1].arguments, std::vector<std::string>{"x"});
    EXPECT_EQ(seen[1].result, -1);
    EXPECT_EQ(seen[1].error, ENOENT);
}

}  // namespace
