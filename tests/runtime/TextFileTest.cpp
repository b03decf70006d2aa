#include "framework/runtime/TextFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/FaultInjection.h"
#include "tests/support/OrdinaryUser.h"
#include "tests/support/ScratchDirectoryTest.h"

namespace {

namespace fs = std::filesystem;

class TextFileTest : public test::ScratchDirectoryTest {
protected:
    const fs::path& m_root = m_scratch.Path();
};

// Each case: the bytes on disk, the buffer size handed to GetLine, and the
// pieces successive calls must return until end of file.
struct ReadCase {
    const char* name;
    std::string bytes;
    int size;
    std::vector<std::string> pieces;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class TextFileReadTest : public TextFileTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(TextFileReadTest, ReadsLinesAsWindowsTextMode) {
    const ReadCase& c = GetParam();
    const std::string path = PathOf("in.dat");
    WriteBytes(path, c.bytes);
    TextFile file = TextFile::Open(path, "r");
    ASSERT_TRUE(file.IsOpen());

    std::vector<std::string> pieces;
    std::vector<char> buffer(static_cast<std::size_t>(c.size) + 1, '#');
    while (const char* piece = file.GetLine(buffer.data(), c.size)) {
        ASSERT_EQ(piece, buffer.data());
        pieces.emplace_back(piece);
        // Nothing may be stored beyond the size the caller allowed.
        ASSERT_EQ(buffer[static_cast<std::size_t>(c.size)], '#');
        ASSERT_LE(pieces.size(), 100u) << "no end of file";
    }
    EXPECT_EQ(pieces, c.pieces);
    EXPECT_EQ(file.Error(), 0);
    EXPECT_TRUE(file.Close());
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TextFileReadTest,
    ::testing::Values(ReadCase{"CrLf", "one\r\ntwo\r\n", 80, {"one\n", "two\n"}},
                      ReadCase{"Lf", "one\ntwo\n", 80, {"one\n", "two\n"}},
                      ReadCase{"MixedEnds", "a\r\nb\nc\r\n", 80, {"a\n", "b\n", "c\n"}},
                      ReadCase{"LoneCrStays", "a\rb\r\n", 80, {"a\rb\n"}},
                      ReadCase{"CrCrLf", "a\r\r\n", 80, {"a\r\n"}},
                      ReadCase{"CrAtEndOfFile", "a\r", 80, {"a\r"}},
                      ReadCase{"LfCr", "a\n\rb", 80, {"a\n", "\rb"}},
                      ReadCase{"LongLineSplit", "abcdefg\r\n", 4, {"abc", "def", "g\n"}},
                      ReadCase{"CrLfCountsAsOne", "abc\r\n", 5, {"abc\n"}},
                      ReadCase{"ExactFitThenCrLf", "abcd\r\nx\r\n", 5, {"abcd", "\n", "x\n"}},
                      ReadCase{"ExactFitThenLf", "abcd\nx", 5, {"abcd", "\n", "x"}},
                      ReadCase{"CrAtLimitNotPairedAcrossReads", "abc\rd", 4, {"abc", "\rd"}},
                      ReadCase{"LastLineWithoutEnd", "one\r\nlast", 80, {"one\n", "last"}},
                      ReadCase{"EmptyFile", "", 80, {}},
                      ReadCase{"EmptyLines", "\r\n\n\r\n", 80, {"\n", "\n", "\n"}},
                      ReadCase{"HighBytesUnchanged",
                               "M\xFC\xDFig \x80\xA0\xFF\r\n",
                               80,
                               {"M\xFC\xDFig \x80\xA0\xFF\n"}},
                      ReadCase{"CtrlZEndsData", "one\r\ntw\x1Ao\r\nthree\r\n", 80, {"one\n", "tw"}},
                      ReadCase{"CtrlZFirst",
                               "\x1A"
                               "abc\r\n",
                               80,
                               {}},
                      ReadCase{"LongerThanReadAhead",
                               std::string(5000, 'x') + "\r\n",
                               8000,
                               {std::string(5000, 'x') + "\n"}},
                      ReadCase{"CrLfAcrossReadAhead",
                               std::string(4095, 'x') + "\r\ny",
                               8000,
                               {std::string(4095, 'x') + "\n", "y"}}),
    [](const ::testing::TestParamInfo<ReadCase>& param) { return param.param.name; });

TEST_F(TextFileTest, SizeOneReadsNothing) {
    const std::string path = PathOf("in.dat");
    WriteBytes(path, "ab\n");
    TextFile file = TextFile::Open(path, "r");
    char buffer[4] = "xyz";
    EXPECT_EQ(file.GetLine(buffer, 1), buffer);
    EXPECT_STREQ(buffer, "");
    ASSERT_NE(file.GetLine(buffer, 4), nullptr);
    EXPECT_STREQ(buffer, "ab\n");
}

struct WriteCase {
    const char* name;
    std::vector<std::string> strings;
    std::string bytes;
};

void PrintTo(const WriteCase& c, std::ostream* os) {
    *os << c.name;
}

class TextFileWriteTest : public TextFileTest, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(TextFileWriteTest, WritesCrLf) {
    const WriteCase& c = GetParam();
    const std::string path = PathOf("out.dat");
    TextFile file = TextFile::Open(path, "w");
    ASSERT_TRUE(file.IsOpen());
    for (const auto& s : c.strings) {
        ASSERT_TRUE(file.PutString(s.c_str()));
    }
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(ReadBytes(path), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Strings, TextFileWriteTest,
    ::testing::Values(WriteCase{"Lines", {"one\n", "two\n"}, "one\r\ntwo\r\n"},
                      WriteCase{"SeveralInOneString", {"a\nb\n\n"}, "a\r\nb\r\n\r\n"},
                      WriteCase{"CrStaysAndGainsNothing", {"a\r\n", "b\r"}, "a\r\r\nb\r"},
                      WriteCase{"NoLineEnd", {"abc"}, "abc"}, WriteCase{"Nothing", {}, ""},
                      WriteCase{
                          "HighBytesUnchanged", {"\xC4\xD6\xDC\x80\n"}, "\xC4\xD6\xDC\x80\r\n"},
                      WriteCase{"BeyondOneBuffer",
                                {std::string(3000, 'x') + "\n", std::string(3000, 'y') + "\n"},
                                std::string(3000, 'x') + "\r\n" + std::string(3000, 'y') + "\r\n"}),
    [](const ::testing::TestParamInfo<WriteCase>& param) { return param.param.name; });

TEST_F(TextFileTest, OpenFailuresReportErrno) {
    struct Case {
        std::string path;
        const char* mode;
        int error;
    };
    const std::vector<Case> cases{
        {PathOf("missing.dat"), "r", ENOENT}, {PathOf("no-dir/new.dat"), "w", ENOENT},
        {PathOf("x.dat"), "a", EINVAL},       {PathOf("x.dat"), "rb", EINVAL},
        {PathOf("x.dat"), "", EINVAL},        {m_root.string(), "w", EISDIR},
    };
    for (const auto& c : cases) {
        errno = 0;
        const TextFile file = TextFile::Open(c.path, c.mode);
        EXPECT_FALSE(file.IsOpen()) << c.path << " " << c.mode;
        EXPECT_EQ(file.Error(), c.error) << c.path << " " << c.mode;
        EXPECT_EQ(errno, c.error) << c.path << " " << c.mode;
    }
}

// A full disk shows at the flush when the data is still buffered; every call
// after that and the close must report it too.
TEST_F(TextFileTest, FullDeviceIsReportedByFlushAndClose) {
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    TextFile file = TextFile::Open("/dev/full", "w");
    ASSERT_TRUE(file.IsOpen());
    EXPECT_TRUE(file.PutString("score\n"));
    errno = 0;
    EXPECT_FALSE(file.Flush());
    EXPECT_EQ(errno, ENOSPC);
    EXPECT_FALSE(file.PutString("more\n"));
    EXPECT_EQ(file.Error(), ENOSPC);
    EXPECT_FALSE(file.Close());
    EXPECT_FALSE(file.IsOpen());
}

TEST_F(TextFileTest, WriteLimitFailsPartwayAndCloseReportsIt) {
    const std::string path = PathOf("limited.dat");
    TextFile file = TextFile::Open(path, "w");
    {
        const test::ScopedFileWriteLimit limit(3);
        ASSERT_TRUE(file.PutString("abcdef\n"));
        errno = 0;
        EXPECT_FALSE(file.Close());
        EXPECT_EQ(errno, ENOSPC);
    }
    EXPECT_EQ(ReadBytes(path), "abc");
}

// The replacement proper: hs.dat holds the old scores until the new ones are
// complete on disk.
TEST_F(TextFileTest, ReplaceWritesNewContentWithModeKept) {
    const std::string path = PathOf("hs.dat");
    WriteBytes(path, "old\r\n");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    int error = -1;
    EXPECT_TRUE(ReplaceFile(
        path, [](TextFile& f) { return f.PutString("new 1\n") && f.PutString("new 2\n"); }, error));
    EXPECT_EQ(error, 0);
    EXPECT_EQ(ReadBytes(path), "new 1\r\nnew 2\r\n");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640));
    EXPECT_EQ(Entries(), std::vector<std::string>{"hs.dat"});
}

TEST_F(TextFileTest, ReplaceCreatesMissingFile) {
    const std::string path = PathOf("hs.dat");
    int error = -1;
    EXPECT_TRUE(ReplaceFile(
        path, [](TextFile& f) { return f.PutString("first\n"); }, error));
    EXPECT_EQ(ReadBytes(path), "first\r\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{"hs.dat"});
}

TEST_F(TextFileTest, ReplaceWithRelativeName) {
    const fs::path old = fs::current_path();
    fs::current_path(m_root);
    int error = -1;
    const bool ok = ReplaceFile(
        "hs.dat", [](TextFile& f) { return f.PutString("x\n"); }, error);
    fs::current_path(old);
    EXPECT_TRUE(ok);
    EXPECT_EQ(ReadBytes(PathOf("hs.dat")), "x\r\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{"hs.dat"});
}

// Each failure must leave the old file byte for byte and no stray file.
// A replacement whose writer fails, or whose disk fills up after `limit`
// bytes (SIZE_MAX: it never fills), with the error it must report.
struct FailingReplace {
    const char* name;
    std::size_t limit;
    std::function<bool(TextFile&)> write;
    int error;
};

bool replaceFailing(const std::string& path, const FailingReplace& c, int& error) {
    if (c.limit == SIZE_MAX) {
        return ReplaceFile(path, c.write, error);
    }
    const test::ScopedFileWriteLimit limit(c.limit);
    return ReplaceFile(path, c.write, error);
}

TEST_F(TextFileTest, FailedReplaceKeepsOldFile) {
    const std::string old = "Anna\t120\r\nBernd\t80\r\n";
    const std::string big(20000, 'z');  // more than one buffer: fails during PutString
    const std::vector<FailingReplace> cases{
        {"HalfwayAtFlush", 10, [](TextFile& f) { return f.PutString("Carla\t150\nAnna\t120\n"); },
         ENOSPC},
        {"HalfwayWhileWriting", 5000, [&big](TextFile& f) { return f.PutString(big.c_str()); },
         ENOSPC},
        {"IgnoredWriteFailure", 5000,
         [&big](TextFile& f) {
             f.PutString(big.c_str());
             return true;
         },
         ENOSPC},
        {"NothingWritable", 0, [](TextFile& f) { return f.PutString("x\n"); }, ENOSPC},
        {"WriterGivesUp", SIZE_MAX, [](TextFile& f) { return f.PutString("x\n") && false; },
         ECANCELED},
    };
    for (const auto& c : cases) {
        const std::string path = PathOf("hs.dat");
        WriteBytes(path, old);
        int error = 0;
        EXPECT_FALSE(replaceFailing(path, c, error)) << c.name;
        EXPECT_EQ(error, c.error) << c.name;
        EXPECT_EQ(errno, c.error) << c.name;
        EXPECT_EQ(ReadBytes(path), old) << c.name;
        EXPECT_EQ(Entries(), std::vector<std::string>{"hs.dat"}) << c.name;
    }
}

TEST_F(TextFileTest, ReplaceInMissingDirectoryFails) {
    int error = 0;
    EXPECT_FALSE(ReplaceFile(
        PathOf("gone/hs.dat"), [](TextFile& f) { return f.PutString("x\n"); }, error));
    EXPECT_EQ(error, ENOENT);
}

// Where no new file can be made beside it (root meets an immutable
// directory), a writable file is rewritten in place. Every write is checked,
// and a failed rewrite puts the old bytes back, whatever they were.
TEST_F(TextFileTest, ReplaceInUnwritableDirectoryWritesInPlace) {
    const std::string path = PathOf("hs.dat");
    const std::string old = "Anna\t120\nBernd\t80\r\n" + std::string(300, 'o');
    WriteBytes(path, old);
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    struct stat before {};
    ASSERT_EQ(stat(path.c_str(), &before), 0);
    if (!m_scratch.MakeUnwritable()) {
        GTEST_SKIP() << "this file system cannot make a directory unwritable for root";
    }
    const std::string big(20000, 'z');
    const FailingReplace failures[] = {
        {"GrowsBeyondTheDisk", 100, [&big](TextFile& f) { return f.PutString(big.c_str()); },
         ENOSPC},
        {"NothingWritable", 0, [](TextFile& f) { return f.PutString("x\n"); }, ENOSPC},
        {"WriterGivesUp", SIZE_MAX, [](TextFile& f) { return f.PutString("x\n") && false; },
         ECANCELED},
    };
    for (const auto& c : failures) {
        int error = 0;
        EXPECT_FALSE(replaceFailing(path, c, error)) << c.name;
        EXPECT_EQ(error, c.error) << c.name;
        EXPECT_EQ(ReadBytes(path), old) << c.name;
    }
    int error = -1;
    const bool replaced = ReplaceFile(
        path, [](TextFile& f) { return f.PutString("new\n"); }, error);
    struct stat after {};
    stat(path.c_str(), &after);
    m_scratch.MakeWritable();
    EXPECT_TRUE(replaced);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(ReadBytes(path), "new\r\n");
    EXPECT_EQ(after.st_ino, before.st_ino) << "the same file, not a new one";
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(Entries(), std::vector<std::string>{"hs.dat"});
}

// A symbolic link named hs.dat stays a link; the file it leads to (through
// any chain of links, relative or absolute, even one not there yet) is the
// one replaced.
TEST_F(TextFileTest, ReplaceFollowsSymbolicLinks) {
    fs::create_directory(m_root / "elsewhere");
    const std::string target = PathOf("elsewhere/scores");
    const struct {
        const char* name;
        std::vector<std::pair<std::string, std::string>> links;  // name, what it points to
        bool targetExists;
    } cases[] = {
        {"Relative", {{"hs.dat", "elsewhere/scores"}}, true},
        {"Absolute", {{"hs.dat", target}}, true},
        {"Chain", {{"hs.dat", "middle"}, {"middle", "elsewhere/scores"}}, true},
        {"Dangling", {{"hs.dat", "elsewhere/scores"}}, false},
    };
    for (const auto& c : cases) {
        fs::remove(target);
        if (c.targetExists) {
            WriteBytes(target, "old\r\n");
        }
        std::vector<std::string> names;
        for (const auto& [name, to] : c.links) {
            fs::remove(PathOf(name));
            fs::create_symlink(to, PathOf(name));
            names.push_back(name);
        }
        std::sort(names.begin(), names.end());
        names.insert(names.begin(), "elsewhere");
        int error = -1;
        EXPECT_TRUE(ReplaceFile(
            PathOf("hs.dat"), [](TextFile& f) { return f.PutString("new\n"); }, error))
            << c.name;
        EXPECT_EQ(ReadBytes(target), "new\r\n") << c.name;
        for (const auto& [name, to] : c.links) {
            EXPECT_TRUE(fs::is_symlink(PathOf(name))) << c.name << " " << name;
            EXPECT_EQ(fs::read_symlink(PathOf(name)).string(), to) << c.name << " " << name;
        }
        EXPECT_EQ(Entries(), names) << c.name;
        EXPECT_EQ(fs::directory_iterator(m_root / "elsewhere")->path().filename(), "scores")
            << c.name;
        for (const auto& [name, to] : c.links) {
            fs::remove(PathOf(name));
        }
    }
    fs::create_symlink("loop", PathOf("loop"));
    int error = 0;
    EXPECT_FALSE(ReplaceFile(
        PathOf("loop"), [](TextFile& f) { return f.PutString("x\n"); }, error));
    EXPECT_EQ(error, ELOOP);
}

// A second name of the file sees the new table too, as it would after a
// plain rewrite.
TEST_F(TextFileTest, ReplaceKeepsHardLinks) {
    WriteBytes(PathOf("hs.dat"), "old\r\n");
    fs::create_hard_link(PathOf("hs.dat"), PathOf("copy"));
    int error = -1;
    EXPECT_TRUE(ReplaceFile(
        PathOf("hs.dat"), [](TextFile& f) { return f.PutString("new\n"); }, error));
    EXPECT_EQ(ReadBytes(PathOf("copy")), "new\r\n");
    EXPECT_EQ(fs::hard_link_count(PathOf("hs.dat")), 2u);
}

// A file the player may not write is not written, even in a directory the
// player may write: checked with an ordinary user's rights, since root may
// write a read-only file.
TEST_F(TextFileTest, ReadOnlyFileIsNotReplaced) {
    const std::string path = PathOf("hs.dat");
    WriteBytes(path, "old\r\n");
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    ASSERT_TRUE(test::GiveToOrdinaryUser(m_root));
    ASSERT_TRUE(test::GiveToOrdinaryUser(path));
    const int result = test::AsOrdinaryUser([&path] {
        int error = 0;
        const bool replaced = ReplaceFile(
            path, [](TextFile& f) { return f.PutString("new\n"); }, error);
        return replaced ? 0 : error;
    });
    if (result < 0) {
        GTEST_SKIP() << "root cannot give up its rights here";
    }
    EXPECT_EQ(result, EACCES);
    EXPECT_EQ(ReadBytes(path), "old\r\n");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0444));
    EXPECT_EQ(Entries(), std::vector<std::string>{"hs.dat"});
}

// The replaced file keeps its owner, group and mode, also when root saves a
// player's file.
TEST_F(TextFileTest, ReplaceKeepsOwnerGroupAndMode) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "only root can give a file to another user";
    }
    const std::string path = PathOf("hs.dat");
    WriteBytes(path, "old\r\n");
    ASSERT_TRUE(test::GiveToOrdinaryUser(path));
    ASSERT_EQ(chmod(path.c_str(), 02640), 0);
    int error = -1;
    EXPECT_TRUE(ReplaceFile(
        path, [](TextFile& f) { return f.PutString("new\n"); }, error));
    struct stat after {};
    ASSERT_EQ(stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_uid, test::kOrdinaryUser);
    EXPECT_EQ(after.st_gid, test::kOrdinaryGroup);
    EXPECT_EQ(after.st_mode & 07777, 02640u);
    EXPECT_EQ(ReadBytes(path), "new\r\n");
}

}  // namespace
