#include "records/data_folder.h"

#include <gtest/gtest.h>

#include "support/fakes.h"

namespace zelkor {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// The folder rules the install test does not reach, on a fake installation under prefix/.
struct Installed {
    TempDir root;
    fs::path bin = root / "prefix/bin";
    fs::path share = root / "prefix/share/zelkor";
    fs::path home = root / "home";
    fs::path user = home / ".local/share/zelkor";

    Installed() {
        for (const fs::path& folder : {bin, share / "white bookgames", share / "black bookgames",
                                       share / "pieces/brownandblack", home})
            fs::create_directories(folder);
        WriteFile(share / "variants.ini", "ZELKOR Version=0.10\r\n");
        WriteFile(share / "zelkor.bok", "book\r\n");
        WriteFile(share / "white bookgames/white1.zlk", "w1\r\n");
        WriteFile(share / "black bookgames/black1.zlk", "b1\r\n");
    }
    DataFolderInputs Inputs(bool binWritable = true) const {
        DataFolderInputs in;
        in.executableFolder = bin;
        in.home = home.string();
        in.isWritable = [binWritable, this](const fs::path& f) { return f != bin || binWritable; };
        return in;
    }
};

TEST(DataFolder, DataDirOptionXdgDataHomeAndAReadOnlyFolderWithTheData) {
    Installed inst;
    TempDir chosen;
    DataFolderInputs in = inst.Inputs();
    in.dataDirOption = chosen.path();
    const DataFolder chose = ResolveDataFolder(in);
    EXPECT_EQ(std::tuple(chose.folder, chose.shipped, chose.perUser),
              std::tuple(chosen.path(), inst.share, false));  // no pieces of its own
    EXPECT_FALSE(fs::exists(inst.home / ".local"));
    fs::create_directories(chosen / "pieces");
    EXPECT_EQ(ResolveDataFolder(in).shipped, chosen.path());
    in.dataDirOption.reset();
    in.xdgDataHome = (inst.root / "xdg").string();
    EXPECT_EQ(ResolveDataFolder(in).folder, inst.root / "xdg/zelkor");
    in.xdgDataHome = "relative/xdg";  // invalid: the default applies
    EXPECT_EQ(ResolveDataFolder(in).folder, inst.user);

    // Data beside the executable in a folder the user cannot write (/opt/zelkor).
    Installed opt;
    WriteFile(opt.bin / "variants.ini", "beside\r\n");
    const DataFolder data = ResolveDataFolder(opt.Inputs(false));
    EXPECT_TRUE(data.perUser);
    EXPECT_EQ(data.shipped, opt.bin);
    EXPECT_EQ(ReadFile(data.folder / "variants.ini"), "beside\r\n");
}

TEST(DataFolder, ProblemsFallBackToTheShippedFolderWithAWarning) {
    Installed inst;
    DataFolderInputs in = inst.Inputs();
    in.home.clear();
    DataFolder data = ResolveDataFolder(in);
    EXPECT_EQ(std::tuple(data.folder, data.perUser), std::tuple(inst.share, false));
    EXPECT_NE(data.warning, "");
    WriteFile(inst.home / ".local", "in the way");  // the per-user folder cannot be made
    data = ResolveDataFolder(inst.Inputs());
    EXPECT_EQ(data.folder, inst.share);
    EXPECT_NE(data.warning.find("Could not create"), std::string::npos);

    TempDir dir;
    EXPECT_TRUE(IsFirstStart(dir.path()));
    EXPECT_TRUE(MarkFirstStartDone(dir.path()));
    EXPECT_FALSE(IsFirstStart(dir.path()));
    EXPECT_FALSE(MarkFirstStartDone(dir / "missing"));
}

}  // namespace
}  // namespace zelkor
