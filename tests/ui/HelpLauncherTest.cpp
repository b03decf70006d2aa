// The help button starts "hh.exe Lexodrom.chm" without waiting, found by the
// runtime's search (current directory, then PATH), and says so when it
// cannot.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "framework/CWinApp.h"
#include "res/resource.h"
#include "tests/harness/DialogHarness.h"
#include "tests/support/ExitPipe.h"
#include "tests/support/GermanLocale.h"
#include "tests/support/ScratchDirectory.h"
#include "ui/CWordGameDlg.h"

namespace {

namespace fs = std::filesystem;
namespace ui = automation;

const std::string kWords = std::string(":Abend") + '\0' + ".";

// A scratch directory whose "cwd" is the current directory and whose "bin"
// the tests put on PATH; both are restored afterwards.
class HelpLauncher : public testing::Test {
protected:
    void SetUp() override {
        ui::StartHeadless();
        oldCwd_ = fs::current_path();
        fs::create_directories(root_ / "cwd");
        fs::create_directories(root_ / "bin");
        fs::current_path(root_ / "cwd");
        const char* path = std::getenv("PATH");
        oldPath_ = path != nullptr ? path : "";
    }
    void TearDown() override {
        fs::current_path(oldCwd_);
        setenv("PATH", oldPath_.c_str(), 1);
    }

    // A viewer that writes its arguments and working directory to a file of
    // its own, one file per start.
    void InstallFakeViewer() {
        const fs::path viewer = root_ / "bin" / "hh.exe";
        std::ofstream(viewer) << "#!/bin/sh\n"
                              << "out=\"" << (root_ / "runs").string() << "/run.$$\"\n"
                              << "mkdir -p \"" << (root_ / "runs").string() << "\"\n"
                              << "{ printf '%s|' \"$0\" \"$@\"; echo; pwd; } > \"$out.tmp\"\n"
                              << "mv \"$out.tmp\" \"$out\"\n";
        fs::permissions(viewer, fs::perms::owner_all);
        setenv("PATH", ((root_ / "bin").string() + ":" + oldPath_).c_str(), 1);
    }

    // What the viewers started so far recorded, one text per start.
    std::vector<std::string> Runs() const {
        std::vector<std::string> runs;
        if (fs::exists(root_ / "runs")) {
            for (const auto& entry : fs::directory_iterator(root_ / "runs")) {
                if (entry.path().extension() != ".tmp") {
                    std::ifstream in(entry.path());
                    std::stringstream text;
                    text << in.rdbuf();
                    runs.push_back(text.str());
                }
            }
        }
        return runs;
    }

    test::ScratchDirectory scratch_;
    const fs::path& root_ = scratch_.Path();
    fs::path oldCwd_;
    std::string oldPath_;
    CWordList words_{std::span<const char>(kWords.data(), kWords.size())};
};

TEST_F(HelpLauncher, EachPressStartsAViewerOnTheHelpFile) {
    InstallFakeViewer();
    test::ExitPipe exited;
    CWordGameDlg dialog(words_);
    harness::Run(dialog, [&] {
        ui::SetText(IDC_LETTER, "a");
        ui::Click(IDC_HELP_BUTTON);
        ui::Click(IDC_HELP_BUTTON);
        EXPECT_TRUE(ui::HasFocus(IDC_LETTER));
        EXPECT_TRUE(ui::HasSelectedAll(IDC_LETTER));
        ui::Click(IDOK);
    });
    ASSERT_TRUE(exited.AwaitExit());
    const std::vector<std::string> runs = Runs();
    ASSERT_EQ(runs.size(), 2u);
    for (const std::string& run : runs) {
        // argv[0] is the name as searched, then the one argument; the viewer
        // runs in the game's directory.
        EXPECT_NE(run.find("hh.exe|Lexodrom.chm|\n"), std::string::npos) << run;
        EXPECT_NE(run.find((root_ / "cwd").string()), std::string::npos) << run;
    }
}

// The box shows the Windows runtime's English text, whatever language the
// player's desktop speaks: under a German UTF-8 locale the C library's text
// is German UTF-8, which the Windows-1252 box would garble ("ausgefÃ¼hrt").
// An errno the Windows runtime lacks gets the C library's English text.
TEST_F(HelpLauncher, AFailedStartIsReportedInTheRuntimesWords) {
    const test::ScopedGermanLocale german;
    if (!german.Active()) {
        GTEST_SKIP() << "de_DE.UTF-8 is missing and localedef cannot make it";
    }
    const struct {
        const char* why;
        bool busyViewer;  // an hh.exe on PATH that is still being written
        const char* reason;
    } cases[] = {
        {"no hh.exe anywhere", false, "No such file or directory"},
        {"hh.exe open for writing", true, "Text file busy"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        setenv("PATH", (root_ / "bin").string().c_str(), 1);
        std::ofstream busy;
        if (c.busyViewer) {
            busy.open(root_ / "bin" / "hh.exe");
            busy << "#!/bin/sh\n" << std::flush;
            fs::permissions(root_ / "bin" / "hh.exe", fs::perms::owner_all);
        }
        CWordGameDlg dialog(words_);
        harness::SeenBox box;
        harness::Run(dialog, [&] {
            harness::ExpectMessageBox(box);
            ui::Click(IDC_HELP_BUTTON);
            EXPECT_EQ(ui::Active().templateId, IDD_MAIN);
            EXPECT_TRUE(ui::HasFocus(IDC_LETTER));
            ui::Click(IDOK);
        });
        ASSERT_TRUE(box.shown);
        EXPECT_EQ(box.title, "Lexodrom Fehler");
        EXPECT_EQ(box.text, std::string("Hypertext-Hilfe-Programm 'hh.exe' kann nicht gestartet "
                                        "werden: ") +
                                c.reason + ".");
        EXPECT_EQ(box.icon, MB_ICONEXCLAMATION);
        busy.close();
        fs::remove(root_ / "bin" / "hh.exe");
    }
}

}  // namespace
