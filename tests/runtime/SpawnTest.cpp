#include "framework/runtime/Spawn.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "framework/runtime/ErrorText.h"
#include "tests/support/ExitPipe.h"

namespace {

namespace fs = std::filesystem;

// Each test runs in a fresh directory of its own, with the current directory
// and PATH put back afterwards.
class SpawnTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "spawn-test-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
        m_oldDirectory = fs::current_path();
        const char* path = std::getenv("PATH");
        m_hadPath = path != nullptr;
        m_oldPath = m_hadPath ? path : "";
    }

    void TearDown() override {
        fs::current_path(m_oldDirectory);
        if (m_hadPath) {
            setenv("PATH", m_oldPath.c_str(), 1);
        } else {
            unsetenv("PATH");
        }
        fs::remove_all(m_root);
    }

    // A directory below the test's root, made if missing.
    fs::path Dir(const std::string& name) {
        const fs::path dir = m_root / name;
        fs::create_directories(dir);
        return dir;
    }

    // Writes a fake program that records who it is, its process id, working
    // directory, one environment variable and its arguments (after the
    // first, which names the record file) into the record file. The record
    // appears whole, by rename, so a reader never sees half of it.
    static void WriteFakeProgram(const fs::path& file, const std::string& tag,
                                 bool executable = true) {
        std::ofstream out(file);
        // The tests point PATH at their own directories; the script's own
        // tools must not depend on it.
        out << "#!/bin/sh\n"
               "PATH=/usr/bin:/bin\n"
               "out=\"$1\"; shift\n"
               "{ echo '"
            << tag
            << "'; echo $$; pwd; echo \"$SPAWN_PROBE\";"
               " for a in \"$@\"; do echo \"[$a]\"; done; } > \"$out.part\"\n"
               "mv \"$out.part\" \"$out\"\n";
        out.close();
        fs::permissions(file, executable ? fs::perms(0755) : fs::perms(0644));
    }

    // The lines of a fake program's record; empty when it never ran.
    static std::vector<std::string> ReadRecord(const fs::path& file) {
        std::vector<std::string> lines;
        std::ifstream in(file);
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }

    fs::path m_root;

private:
    fs::path m_oldDirectory;
    bool m_hadPath = false;
    std::string m_oldPath;
};

// The caller must be left with no child at all, neither running nor zombie.
void ExpectNoChildren() {
    errno = 0;
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST_F(SpawnTest, StartsProgramWithArgumentsDirectoryEnvironmentAndReturnsItsPid) {
    const fs::path here = Dir("here");
    WriteFakeProgram(here / "fake", "here");
    fs::current_path(here);
    setenv("SPAWN_PROBE", "inherited", 1);
    const std::string record = (m_root / "record").string();

    test::ExitPipe exited;
    const std::intptr_t pid = _spawnlp(_P_NOWAIT, "fake", "fake", record.c_str(), "two words", "",
                                       "\xE4\xF6\xFC", nullptr);
    unsetenv("SPAWN_PROBE");

    ASSERT_GT(pid, 0) << std::strerror(errno);
    const std::vector<std::string> expected{"here",          std::to_string(pid), here.string(),
                                            "inherited",     "[two words]",       "[]",
                                            "[\xE4\xF6\xFC]"};
    ASSERT_TRUE(exited.AwaitExit());
    EXPECT_EQ(ReadRecord(record), expected);
    ExpectNoChildren();
}

// Each case lays out directories (with a fake program, a non-executable one,
// or nothing), sets PATH from them, and names the program that must run or the
// errno that must come back.
struct SearchCase {
    const char* name;
    std::vector<std::string> pathEntries;  // directory names under the root; "" stays empty
    std::vector<std::string> executables;  // directories holding a runnable "fake"
    std::vector<std::string> nonExecutables;
    std::vector<std::string> plainFiles;  // entries that are files, not directories
    bool inCurrentDirectory;              // a runnable "fake" in the current directory too
    const char* expectedTag;              // directory whose fake runs, or nullptr
    int expectedErrno;
};

void PrintTo(const SearchCase& c, std::ostream* os) {
    *os << c.name;
}

class SpawnSearchTest : public SpawnTest, public ::testing::WithParamInterface<SearchCase> {};

TEST_P(SpawnSearchTest, FindsTheRightProgram) {
    const SearchCase& c = GetParam();
    const fs::path cwd = Dir("cwd");
    if (c.inCurrentDirectory) {
        WriteFakeProgram(cwd / "fake", "cwd");
    }
    for (const auto& d : c.executables) {
        WriteFakeProgram(Dir(d) / "fake", d);
    }
    for (const auto& d : c.nonExecutables) {
        WriteFakeProgram(Dir(d) / "fake", d, false);
    }
    for (const auto& f : c.plainFiles) {
        std::ofstream(m_root / f) << "not a directory\n";
    }
    std::string path;
    for (std::size_t i = 0; i < c.pathEntries.size(); ++i) {
        path += (i > 0 ? ":" : "") +
                (c.pathEntries[i].empty() ? std::string() : (m_root / c.pathEntries[i]).string());
    }
    setenv("PATH", path.c_str(), 1);
    fs::current_path(cwd);
    const std::string record = (m_root / "record").string();

    test::ExitPipe exited;
    errno = 0;
    const std::intptr_t pid = _spawnlp(_P_NOWAIT, "fake", "fake", record.c_str(), nullptr);

    if (c.expectedTag != nullptr) {
        ASSERT_GT(pid, 0) << std::strerror(errno);
        ASSERT_TRUE(exited.AwaitExit());
        const std::vector<std::string> lines = ReadRecord(record);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines[0], c.expectedTag);
    } else {
        EXPECT_EQ(pid, -1);
        EXPECT_EQ(errno, c.expectedErrno);
    }
    ExpectNoChildren();
}

INSTANTIATE_TEST_SUITE_P(
    Path, SpawnSearchTest,
    ::testing::Values(
        SearchCase{"CurrentDirectoryBeforePath", {"a"}, {"a"}, {}, {}, true, "cwd", 0},
        SearchCase{"FirstDirectoryWins", {"a", "b"}, {"a", "b"}, {}, {}, false, "a", 0},
        SearchCase{"OrderIsPathOrder", {"b", "a"}, {"a", "b"}, {}, {}, false, "b", 0},
        SearchCase{"MissingDirectorySkipped", {"gone", "b"}, {"b"}, {}, {}, false, "b", 0},
        SearchCase{"FileEntrySkipped", {"file", "b"}, {"b"}, {}, {"file"}, false, "b", 0},
        SearchCase{"EmptyEntriesHarmless", {"", "", "b"}, {"b"}, {}, {}, false, "b", 0},
        SearchCase{"NonExecutablePassedOver", {"a", "b"}, {"b"}, {"a"}, {}, false, "b", 0},
        SearchCase{"OnlyNonExecutableIsEacces", {"a", "c"}, {}, {"a"}, {}, false, nullptr, EACCES},
        SearchCase{"FoundNowhere", {"a", "b", ""}, {}, {}, {}, false, nullptr, ENOENT}),
    [](const ::testing::TestParamInfo<SearchCase>& param) { return param.param.name; });

TEST_F(SpawnTest, NotFoundGivesEnoentAndTheRuntimeText) {
    setenv("PATH", Dir("empty").c_str(), 1);
    fs::current_path(Dir("cwd"));
    errno = 0;
    EXPECT_EQ(_spawnlp(_P_NOWAIT, "no-such-program", "no-such-program", nullptr), -1);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(framework::runtime::ErrorText(errno), "No such file or directory");
    ExpectNoChildren();
}

// A name with a directory part names one file; PATH must not be searched even
// though every PATH directory holds a program under that very name.
TEST_F(SpawnTest, NameWithDirectoryPartIsNotSearchedOnPath) {
    const fs::path onPath = Dir("onpath");
    fs::create_directories(onPath / "sub");
    WriteFakeProgram(onPath / "sub" / "fake", "onpath");
    WriteFakeProgram(onPath / "x\\fake", "onpath");
    setenv("PATH", onPath.c_str(), 1);
    fs::current_path(Dir("cwd"));
    const std::string record = (m_root / "record").string();
    for (const char* name : {"sub/fake", "./fake", "x\\fake"}) {
        errno = 0;
        EXPECT_EQ(_spawnlp(_P_NOWAIT, name, name, record.c_str(), nullptr), -1) << name;
        EXPECT_EQ(errno, ENOENT) << name;
    }
    ExpectNoChildren();
}

// A file that exists under the bare name stops the search, as on Windows:
// its error is the answer even though PATH holds a runnable program.
TEST_F(SpawnTest, NonExecutableInCurrentDirectoryStopsTheSearch) {
    const fs::path cwd = Dir("cwd");
    WriteFakeProgram(cwd / "fake", "cwd", false);
    WriteFakeProgram(Dir("a") / "fake", "a");
    setenv("PATH", (m_root / "a").c_str(), 1);
    fs::current_path(cwd);
    errno = 0;
    EXPECT_EQ(_spawnlp(_P_NOWAIT, "fake", "fake", (m_root / "record").c_str(), nullptr), -1);
    EXPECT_EQ(errno, EACCES);
    ExpectNoChildren();
}

TEST_F(SpawnTest, AbsoluteNameRuns) {
    const fs::path program = Dir("a") / "fake";
    WriteFakeProgram(program, "a");
    unsetenv("PATH");
    const std::string record = (m_root / "record").string();
    test::ExitPipe exited;
    const std::intptr_t pid = _spawnlp(_P_NOWAIT, program.c_str(), "fake", record.c_str(), nullptr);
    ASSERT_GT(pid, 0) << std::strerror(errno);
    ASSERT_TRUE(exited.AwaitExit());
    const std::vector<std::string> lines = ReadRecord(record);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "a");
}

TEST_F(SpawnTest, TwoSpawnsStartTwoProcesses) {
    WriteFakeProgram(Dir("a") / "fake", "a");
    setenv("PATH", (m_root / "a").c_str(), 1);
    const std::string first = (m_root / "first").string();
    const std::string second = (m_root / "second").string();

    test::ExitPipe exited;
    const std::intptr_t pid1 = _spawnlp(_P_NOWAIT, "fake", "fake", first.c_str(), "1", nullptr);
    const std::intptr_t pid2 = _spawnlp(_P_NOWAIT, "fake", "fake", second.c_str(), "2", nullptr);

    ASSERT_GT(pid1, 0);
    ASSERT_GT(pid2, 0);
    EXPECT_NE(pid1, pid2);
    ASSERT_TRUE(exited.AwaitExit());
    const std::vector<std::string> lines1 = ReadRecord(first);
    const std::vector<std::string> lines2 = ReadRecord(second);
    ASSERT_EQ(lines1.size(), 5u);
    ASSERT_EQ(lines2.size(), 5u);
    EXPECT_EQ(lines1[1], std::to_string(pid1));
    EXPECT_EQ(lines2[1], std::to_string(pid2));
    EXPECT_EQ(lines1[4], "[1]");
    EXPECT_EQ(lines2[4], "[2]");
    ExpectNoChildren();
}

// _P_NOWAIT must not wait: the program below runs until the test writes a
// byte into a pipe it inherited (or gives up after 20 seconds), so a call
// that waited for it would return only after the program had written its
// "finished" mark.
TEST_F(SpawnTest, ReturnsWhileTheProgramStillRuns) {
    const fs::path program = Dir("a") / "waiter";
    {
        std::ofstream out(program);
        out << "#!/bin/sh\n"
               "PATH=/usr/bin:/bin\n"
               "eval \"timeout 20 head -c1 <&$1\" >/dev/null\n"
               "echo finished > \"$2\"\n";
    }
    fs::permissions(program, fs::perms(0755));
    int release[2];
    ASSERT_EQ(pipe2(release, O_CLOEXEC), 0);
    fcntl(release[0], F_SETFD, 0);  // the program's to read
    const std::string releaseFd = std::to_string(release[0]);
    const std::string finished = (m_root / "finished").string();

    test::ExitPipe exited;
    const std::intptr_t pid = _spawnlp(_P_NOWAIT, program.c_str(), "waiter", releaseFd.c_str(),
                                       finished.c_str(), nullptr);
    close(release[0]);

    EXPECT_GT(pid, 0);
    EXPECT_FALSE(fs::exists(finished));
    EXPECT_EQ(write(release[1], "g", 1), 1);
    close(release[1]);
    ASSERT_TRUE(exited.AwaitExit());
    EXPECT_EQ(ReadRecord(finished), std::vector<std::string>{"finished"});
    ExpectNoChildren();
}

// Once the program has finished, it must not linger as a child of ours: the
// one who started it holds nothing that would ever need reaping.
TEST_F(SpawnTest, FinishedProgramLeavesNoZombie) {
    WriteFakeProgram(Dir("a") / "fake", "a");
    setenv("PATH", (m_root / "a").c_str(), 1);
    const std::string record = (m_root / "record").string();
    test::ExitPipe exited;
    const std::intptr_t pid = _spawnlp(_P_NOWAIT, "fake", "fake", record.c_str(), nullptr);
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(exited.AwaitExit());
    ASSERT_FALSE(ReadRecord(record).empty());
    ExpectNoChildren();
}

struct BadCallCase {
    const char* name;
    int mode;
    const char* cmdname;
    const char* arg0;
};

void PrintTo(const BadCallCase& c, std::ostream* os) {
    *os << c.name;
}

class SpawnBadCallTest : public ::testing::TestWithParam<BadCallCase> {};

TEST_P(SpawnBadCallTest, RejectedWithEinval) {
    const BadCallCase& c = GetParam();
    errno = 0;
    EXPECT_EQ(_spawnlp(c.mode, c.cmdname, c.arg0, nullptr), -1);
    EXPECT_EQ(errno, EINVAL);
    ExpectNoChildren();
}

INSTANTIATE_TEST_SUITE_P(Arguments, SpawnBadCallTest,
                         ::testing::Values(BadCallCase{"WaitMode", 0, "true", "true"},
                                           BadCallCase{"OverlayMode", 2, "true", "true"},
                                           BadCallCase{"NullName", _P_NOWAIT, nullptr, "true"},
                                           BadCallCase{"NullArg0", _P_NOWAIT, "true", nullptr},
                                           BadCallCase{"EmptyArg0", _P_NOWAIT, "true", ""}),
                         [](const ::testing::TestParamInfo<BadCallCase>& param) {
                             return param.param.name;
                         });

}  // namespace
