// Installs the build into a temporary prefix and runs the installed zelkor-cli as a new
// user would: with a fresh home folder and no XDG_DATA_HOME.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/fakes.h"

namespace {

namespace fs = std::filesystem;
using zelkor::test::ReadFile;
using zelkor::test::TempDir;
using zelkor::test::WriteFile;

struct ShellResult {
    std::string out;
    int status = -1;
};

ShellResult Shell(const std::string& command) {
    ShellResult run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.out.append(buffer, n);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

std::string Quoted(const fs::path& path) {
    std::string quoted(1, '\'');
    quoted += path.string();
    quoted += '\'';
    return quoted;
}

class Installed : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        root_ = new TempDir;
        const ShellResult install =
            Shell(std::string("'") + ZELKOR_CMAKE_COMMAND + "' --install '" + ZELKOR_BINARY_DIR +
                  "' --prefix " + Quoted(Prefix()) + " 2>&1");
        installLog_ = new std::string(install.out);
        installed_ = install.status == 0;
    }
    static void TearDownTestSuite() {
        delete root_;
        delete installLog_;
    }
    void SetUp() override { ASSERT_TRUE(installed_) << *installLog_; }

    static fs::path Prefix() { return root_->path() / "prefix"; }
    // The installed zelkor-cli with `home` as HOME and XDG_DATA_HOME unset.
    static ShellResult Cli(const fs::path& home, const std::string& arguments) {
        return Shell("env -u XDG_DATA_HOME HOME=" + Quoted(home) + " " +
                     Quoted(Prefix() / "bin/zelkor-cli") + " " + arguments + " 2>&1");
    }

    static inline TempDir* root_ = nullptr;
    static inline std::string* installLog_ = nullptr;
    static inline bool installed_ = false;
};

TEST_F(Installed, PutsTheProgramItsDataTheDesktopEntryAndTheIcons) {
    const fs::path prefix = Prefix();
    EXPECT_TRUE(fs::exists(prefix / "bin/zelkor-cli"));
    const fs::path share = prefix / "share/zelkor";
    EXPECT_EQ(ReadFile(share / "variants.ini"),
              ReadFile(zelkor::test::ShippedDataDir() / "variants.ini"));
    EXPECT_TRUE(fs::exists(share / "zelkor.bok"));
    EXPECT_TRUE(fs::exists(share / "white bookgames/01-halma.zlk"));
    EXPECT_TRUE(fs::exists(share / "black bookgames/01-halma.zlk"));
    EXPECT_TRUE(fs::exists(share / "pieces/brownandblack/msquare.bmp"));
    EXPECT_TRUE(fs::exists(share / "pieces/brownandblack/white.ico"));
    EXPECT_FALSE(fs::exists(prefix / "bin/variants.ini"));
#ifdef ZELKOR_WITH_UI
    EXPECT_TRUE(fs::exists(prefix / "bin/zelkor"));
    const std::string entry = ReadFile(prefix / "share/applications/zelkor.desktop");
    EXPECT_NE(entry.find("Exec=zelkor"), std::string::npos);
    EXPECT_NE(entry.find("Icon=zelkor"), std::string::npos);
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const std::string dim = std::to_string(size) + "x" + std::to_string(size);
        const fs::path icon = prefix / "share/icons/hicolor" / dim / "apps/zelkor.png";
        ASSERT_TRUE(fs::exists(icon)) << icon;
        // A PNG whose header states the folder's size.
        const std::string png = ReadFile(icon);
        ASSERT_GT(png.size(), 24u);
        EXPECT_EQ(png.substr(1, 3), "PNG");
        const auto byte = [&](size_t i) { return static_cast<unsigned char>(png[i]); };
        EXPECT_EQ((byte(16) << 24) | (byte(17) << 16) | (byte(18) << 8) | byte(19), size);
        EXPECT_EQ((byte(20) << 24) | (byte(21) << 16) | (byte(22) << 8) | byte(23), size);
    }
#endif
}

TEST_F(Installed, FirstStartCreatesThePerUserFolderAndTheSecondReusesIt) {
    TempDir home;
    const fs::path folder = home / ".local/share/zelkor";
    ASSERT_FALSE(fs::exists(folder));

    const ShellResult first = Cli(home.path(), "moves");
    EXPECT_EQ(first.status, 0) << first.out;
    EXPECT_EQ(first.out.substr(0, 18), "e1-d2\ne1-e2\ne1-d1\n");
    EXPECT_EQ(ReadFile(folder / "variants.ini"),
              ReadFile(zelkor::test::ShippedDataDir() / "variants.ini"));
    EXPECT_TRUE(fs::exists(folder / "zelkor.bok"));
    EXPECT_TRUE(fs::exists(folder / "white bookgames/01-halma.zlk"));
    EXPECT_TRUE(fs::exists(folder / "black bookgames/03-diagonal-halma.zlk"));

    // The second start works in the same folder and keeps what the user changed there.
    WriteFile(folder / "zelkor.rtg", "kept\r\n");
    fs::remove(folder / "zelkor.bok");
    const ShellResult second = Cli(home.path(), "moves");
    EXPECT_EQ(second.status, 0) << second.out;
    EXPECT_EQ(second.out, first.out);
    EXPECT_EQ(ReadFile(folder / "zelkor.rtg"), "kept\r\n");
    EXPECT_TRUE(fs::exists(folder / "zelkor.bok"));  // missing shipped files come back
    EXPECT_FALSE(fs::exists(Prefix() / "bin/zelkor.rtg"));
}

TEST_F(Installed, DataDirStillWins) {
    TempDir home;
    TempDir chosen;
    fs::copy_file(zelkor::test::ShippedDataDir() / "variants.ini", chosen / "variants.ini");
    const ShellResult run = Cli(home.path(), "--data-dir " + Quoted(chosen.path()) + " moves");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_FALSE(fs::exists(home / ".local"));
}

}  // namespace

namespace {

// The build folder, as `make run` uses it: the files stay beside the executable.
TEST(BuildFolder, KeepsItsFilesBesideTheExecutable) {
    TempDir home;
    const ShellResult run = Shell("env -u XDG_DATA_HOME HOME=" + Quoted(home.path()) + " " +
                                  Quoted(ZELKOR_CLI_PATH) + " moves 2>&1");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out.substr(0, 18), "e1-d2\ne1-e2\ne1-d1\n");
    EXPECT_FALSE(fs::exists(home / ".local"));
#ifdef ZELKOR_WITH_UI
    // The usage needs no display.
    const ShellResult help =
        Shell("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
              Quoted(fs::path(ZELKOR_BINARY_DIR) / "bin/zelkor") + " --help 2>&1");
    EXPECT_EQ(help.status, 0) << help.out;
    EXPECT_NE(help.out.find("--data-dir <DIR>"), std::string::npos) << help.out;
#endif
}

}  // namespace
