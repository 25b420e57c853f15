#include "records/data_folder.h"

#include <gtest/gtest.h>

#include "support/fakes.h"

namespace zelkor {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// A fake installation: <root>/prefix/bin (the executables) and <root>/prefix/share/zelkor.
struct Installed {
    TempDir root;
    fs::path bin = root / "prefix/bin";
    fs::path share = root / "prefix/share/zelkor";
    fs::path home = root / "home";

    Installed() {
        fs::create_directories(bin);
        fs::create_directories(share / "white bookgames");
        fs::create_directories(share / "black bookgames");
        fs::create_directories(share / "pieces/brownandblack");
        fs::create_directories(home);
        WriteFile(share / "variants.ini", "ZELKOR Version=0.10\r\n");
        WriteFile(share / "zelkor.bok", "ZELKOR Version=0.10\r\nbook\r\n");
        WriteFile(share / "white bookgames/white1.zlk", "w1\r\n");
        WriteFile(share / "black bookgames/black1.zlk", "b1\r\n");
    }
    DataFolderInputs Inputs(bool binWritable = true) const {
        DataFolderInputs in;
        in.executableFolder = bin;
        in.home = home.string();
        in.isWritable = [binWritable, this](const fs::path& folder) {
            return folder != bin || binWritable;
        };
        return in;
    }
};

TEST(DataFolder, BuildFolderWithItsDataIsUsedInPlace) {
    TempDir build;
    WriteFile(build / "variants.ini", "x\r\n");
    DataFolderInputs in;
    in.executableFolder = build.path();
    in.home = (build / "home").string();
    const DataFolder data = ResolveDataFolder(in);  // the real writability probe
    EXPECT_EQ(data.folder, build.path());
    EXPECT_EQ(data.shipped, build.path());
    EXPECT_FALSE(data.perUser);
    EXPECT_FALSE(fs::exists(build / "home"));
    EXPECT_FALSE(fs::exists(build / ".zelkor-write-test"));  // the probe is removed
}

TEST(DataFolder, DataDirOptionWins) {
    Installed inst;
    TempDir chosen;
    DataFolderInputs in = inst.Inputs();
    in.dataDirOption = chosen.path();
    DataFolder data = ResolveDataFolder(in);
    EXPECT_EQ(data.folder, chosen.path());
    EXPECT_EQ(data.shipped, inst.share);  // no pieces of its own: the shipped ones
    EXPECT_FALSE(data.perUser);
    EXPECT_FALSE(fs::exists(inst.home / ".local"));

    fs::create_directories(chosen / "pieces");
    data = ResolveDataFolder(in);
    EXPECT_EQ(data.shipped, chosen.path());
}

TEST(DataFolder, InstalledProgramCreatesAndFillsThePerUserFolder) {
    Installed inst;
    const DataFolder data = ResolveDataFolder(inst.Inputs());
    const fs::path expected = inst.home / ".local/share/zelkor";
    EXPECT_EQ(data.folder, expected);
    EXPECT_EQ(data.shipped, inst.share);
    EXPECT_TRUE(data.perUser);
    EXPECT_TRUE(data.created);
    EXPECT_EQ(data.warning, "");
    EXPECT_EQ(ReadFile(expected / "variants.ini"), "ZELKOR Version=0.10\r\n");
    EXPECT_EQ(ReadFile(expected / "zelkor.bok"), "ZELKOR Version=0.10\r\nbook\r\n");
    EXPECT_EQ(ReadFile(expected / "white bookgames/white1.zlk"), "w1\r\n");
    EXPECT_EQ(ReadFile(expected / "black bookgames/black1.zlk"), "b1\r\n");
    EXPECT_FALSE(fs::exists(expected / "pieces"));  // read from the shipped folder
}

TEST(DataFolder, SecondStartKeepsTheUsersFilesAndAddsWhatIsMissing) {
    Installed inst;
    ResolveDataFolder(inst.Inputs());
    const fs::path folder = inst.home / ".local/share/zelkor";
    WriteFile(folder / "variants.ini", "edited by the user\r\n");
    WriteFile(folder / "zelkor.ini", "settings\r\n");
    fs::remove(folder / "zelkor.bok");
    fs::remove(folder / "black bookgames/black1.zlk");
    WriteFile(folder / "white bookgames/mine.zlk", "mine\r\n");

    const DataFolder again = ResolveDataFolder(inst.Inputs());
    EXPECT_EQ(again.folder, folder);
    EXPECT_FALSE(again.created);
    EXPECT_EQ(ReadFile(folder / "variants.ini"), "edited by the user\r\n");
    EXPECT_EQ(ReadFile(folder / "zelkor.ini"), "settings\r\n");
    EXPECT_EQ(ReadFile(folder / "zelkor.bok"), "ZELKOR Version=0.10\r\nbook\r\n");
    EXPECT_EQ(ReadFile(folder / "black bookgames/black1.zlk"), "b1\r\n");
    EXPECT_EQ(ReadFile(folder / "white bookgames/mine.zlk"), "mine\r\n");
}

TEST(DataFolder, XdgDataHomeIsUsedWhenAbsolute) {
    Installed inst;
    DataFolderInputs in = inst.Inputs();
    in.xdgDataHome = (inst.root / "xdg").string();
    EXPECT_EQ(ResolveDataFolder(in).folder, inst.root / "xdg/zelkor");
    in.xdgDataHome = "relative/xdg";  // invalid: the default applies
    EXPECT_EQ(ResolveDataFolder(in).folder, inst.home / ".local/share/zelkor");
}

TEST(DataFolder, ReadOnlyFolderWithTheDataUsesThePerUserFolder) {
    // Data beside the executable in a folder the user cannot write (/opt/zelkor).
    Installed inst;
    WriteFile(inst.bin / "variants.ini", "beside\r\n");
    const DataFolder data = ResolveDataFolder(inst.Inputs(false));
    EXPECT_TRUE(data.perUser);
    EXPECT_EQ(data.shipped, inst.bin);
    EXPECT_EQ(ReadFile(data.folder / "variants.ini"), "beside\r\n");
}

TEST(DataFolder, ProblemsFallBackToTheShippedFolderWithAWarning) {
    Installed inst;
    DataFolderInputs in = inst.Inputs();
    in.home.clear();
    DataFolder data = ResolveDataFolder(in);
    EXPECT_EQ(data.folder, inst.share);
    EXPECT_FALSE(data.perUser);
    EXPECT_NE(data.warning, "");

    // ~/.local is a file: the per-user folder cannot be made.
    in = inst.Inputs();
    WriteFile(inst.home / ".local", "in the way");
    data = ResolveDataFolder(in);
    EXPECT_EQ(data.folder, inst.share);
    EXPECT_NE(data.warning.find("Could not create"), std::string::npos);
}

TEST(DataFolder, NoDataAnywhereKeepsTheExecutablesFolder) {
    TempDir bin;
    DataFolderInputs in;
    in.executableFolder = bin.path();
    in.home = (bin / "home").string();
    const DataFolder data = ResolveDataFolder(in);
    EXPECT_EQ(data.folder, bin.path());
    EXPECT_FALSE(fs::exists(bin / "home"));
}

TEST(DataFolder, FirstStartMarker) {
    TempDir dir;
    EXPECT_TRUE(IsFirstStart(dir.path()));
    EXPECT_TRUE(MarkFirstStartDone(dir.path()));
    EXPECT_FALSE(IsFirstStart(dir.path()));
    EXPECT_FALSE(MarkFirstStartDone(dir / "missing"));
}

}  // namespace
}  // namespace zelkor
