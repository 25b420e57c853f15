// Installs the build into a temporary prefix and runs the installed zelkor-cli as a new
// user would: with a fresh home folder and no XDG_DATA_HOME.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/fakes.h"
#include "support/run_cli.h"

namespace {

namespace fs = std::filesystem;
using zelkor::test::ReadFile;
using zelkor::test::RunShell;
using zelkor::test::TempDir;

std::string Quoted(const fs::path& path) {
    std::string quoted(1, '\'');  // built in steps: "'" + ... trips a GCC 12 warning
    quoted += path.string();
    quoted += '\'';
    return quoted;
}

// zelkor-cli `cli` run with `home` as HOME and XDG_DATA_HOME unset.
zelkor::test::CliRun Cli(const fs::path& cli, const fs::path& home, const std::string& arguments) {
    return RunShell("env -u XDG_DATA_HOME HOME=" + Quoted(home) + " " + Quoted(cli) + " " +
                    arguments + " 2>&1");
}

TEST(Install, ProgramDataDesktopEntryIconsAndThePerUserFolder) {
    TempDir root;
    const fs::path prefix = root / "prefix";
    const auto install = RunShell(std::string("'") + ZELKOR_CMAKE_COMMAND + "' --install '" +
                                  ZELKOR_BINARY_DIR + "' --prefix " + Quoted(prefix) + " 2>&1");
    ASSERT_EQ(install.status, 0) << install.out;
    const fs::path share = prefix / "share/zelkor";
    const std::string variants = ReadFile(zelkor::test::ShippedDataDir() / "variants.ini");
    EXPECT_EQ(ReadFile(share / "variants.ini"), variants);
    for (const char* file :
         {"zelkor.bok", "white bookgames/01-halma.zlk", "black bookgames/01-halma.zlk",
          "pieces/brownandblack/msquare.bmp", "pieces/brownandblack/white.ico"})
        EXPECT_TRUE(fs::exists(share / file)) << file;
    EXPECT_FALSE(fs::exists(prefix / "bin/variants.ini"));
#ifdef ZELKOR_WITH_UI
    EXPECT_TRUE(fs::exists(prefix / "bin/zelkor"));
    const std::string entry = ReadFile(prefix / "share/applications/zelkor.desktop");
    EXPECT_NE(entry.find("Exec=zelkor"), std::string::npos);
    EXPECT_NE(entry.find("Icon=zelkor"), std::string::npos);
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const std::string dim = std::to_string(size) + "x" + std::to_string(size);
        const std::string png = ReadFile(prefix / "share/icons/hicolor" / dim / "apps/zelkor.png");
        ASSERT_GT(png.size(), 24u) << dim;
        // The PNG header states the folder's size: width and height, big-endian.
        const std::string be{'\0', '\0', static_cast<char>(size >> 8), static_cast<char>(size)};
        EXPECT_EQ(png.substr(1, 3) + png.substr(16, 8), "PNG" + be + be) << dim;
    }
#endif

    // The first start fills the per-user folder; the second keeps the user's files and brings
    // back a missing shipped one.
    TempDir home;
    const fs::path cli = prefix / "bin/zelkor-cli";
    const fs::path folder = home / ".local/share/zelkor";
    const auto first = Cli(cli, home.path(), "moves");
    EXPECT_EQ(first.status, 0) << first.out;
    EXPECT_EQ(first.out.substr(0, 18), "e1-d2\ne1-e2\ne1-d1\n");
    EXPECT_EQ(ReadFile(folder / "variants.ini"), variants);
    EXPECT_TRUE(fs::exists(folder / "black bookgames/03-diagonal-halma.zlk"));
    zelkor::test::WriteFile(folder / "zelkor.rtg", "kept\r\n");
    fs::remove(folder / "zelkor.bok");
    const auto second = Cli(cli, home.path(), "moves");
    EXPECT_EQ(second.out, first.out);
    EXPECT_EQ(ReadFile(folder / "zelkor.rtg"), "kept\r\n");
    EXPECT_TRUE(fs::exists(folder / "zelkor.bok"));
    EXPECT_FALSE(fs::exists(prefix / "bin/zelkor.rtg"));
}

// The build folder, as `make run` uses it: the files stay beside the executable.
TEST(Install, TheBuildFolderKeepsItsFilesBesideTheExecutable) {
    TempDir home;
    const auto run = Cli(ZELKOR_CLI_PATH, home.path(), "moves");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out.substr(0, 18), "e1-d2\ne1-e2\ne1-d1\n");
    EXPECT_FALSE(fs::exists(home / ".local"));
    EXPECT_FALSE(fs::exists(fs::path(ZELKOR_CLI_PATH).parent_path() / ".zelkor-write-test"));
#ifdef ZELKOR_WITH_UI
    // The usage needs no display.
    const auto help = RunShell("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                               Quoted(fs::path(ZELKOR_BINARY_DIR) / "bin/zelkor") + " --help 2>&1");
    EXPECT_EQ(help.status, 0) << help.out;
    EXPECT_NE(help.out.find("--data-dir <DIR>"), std::string::npos) << help.out;
#endif
}

}  // namespace
