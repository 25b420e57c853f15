// Faults of the data folder and of the files the game writes: the user is told, the game
// goes on, and no file that was there before is lost. The tests run as root, where file
// permissions do not stop a write, so an unwritable folder is a path below a regular file.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cctype>
#include <memory>

#include "game/controller.h"
#include "records/text_file.h"
#include "rules/make_move.h"
#include "rules/movegen.h"
#include "support/fakes.h"

namespace zelkor {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

bool Shown(const test::RecordingUi& ui, const std::string& text) {
    for (const auto& m : ui.messages)
        if (m.text.find(text) != std::string::npos && m.title == "Error") return true;
    return false;
}

// The first legal move of the side to move, as the user types it ("E1-D2").
std::string FirstMoveText(GameState& g) {
    InitGameTree(g);
    GenerateMoves(g, 1);
    if (MoveCount(g) == 0) return {};
    const Move& m = g.movePool[g.plyStart[0]];
    std::string text = SquareName(m.Source) + "-" + SquareName(m.dest);
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

class DataFolderFault : public ::testing::Test {
  protected:
    void Start(const std::filesystem::path& dataDir) {
        controller = std::make_unique<GameController>(ui, clock, random, dataDir);
        controller->StartUp();
        controller->settings().UseDepth = 1;
        controller->settings().SearchDepth = 1;
    }
    bool PlayOneMove() {
        const int before = controller->game().gamePly;
        controller->TypedMove(FirstMoveText(controller->game()));
        return controller->game().gamePly > before;
    }

    TempDir dir;
    test::RecordingUi ui;
    test::FakeClock clock;
    test::ScriptedRandom random;
    std::unique_ptr<GameController> controller;
};

TEST_F(DataFolderFault, AnUnwritableFolderIsReportedAndTheGameGoesOn) {
    WriteFile(dir / "file.txt", "not a folder");
    const std::filesystem::path dataDir = dir / "file.txt" / "sub";
    ASSERT_NO_THROW(Start(dataDir));
    EXPECT_TRUE(Shown(ui, "zelkor.log"));  // the run goes on without its log

    ASSERT_TRUE(PlayOneMove());
    EXPECT_FALSE(controller->SaveGameFile(dataDir / "game.zlk"));
    EXPECT_TRUE(Shown(ui, "game.zlk could not be saved"));
    ASSERT_TRUE(PlayOneMove());  // the game is still there and goes on

    controller->Shutdown();
    EXPECT_TRUE(Shown(ui, "Cannot write " + (dataDir / "zelkor.ini").string()));
    EXPECT_TRUE(Shown(ui, "Cannot write " + (dataDir / "zelkor.rtg").string()));
    EXPECT_EQ(ReadFile(dir / "file.txt"), "not a folder");
}

TEST_F(DataFolderFault, AFolderThatCannotBeWrittenUnderProc) {
    if (!std::filesystem::is_directory("/proc/self")) GTEST_SKIP();
    ASSERT_NO_THROW(Start("/proc/self"));
    ASSERT_TRUE(PlayOneMove());
    controller->Shutdown();
    EXPECT_TRUE(Shown(ui, "Cannot write /proc/self/zelkor.ini"));
}

TEST_F(DataFolderFault, AFailedSaveLeavesTheOldFileAsItWas) {
    Start(dir.path());
    ASSERT_TRUE(PlayOneMove());
    const std::filesystem::path file = dir / "game.zlk";
    WriteFile(file, "the old game");
    // The new text is written beside the old file first; when that cannot be done (here a
    // folder stands in the way, as a full disk would stop the write) the old file stays.
    std::filesystem::create_directory(TemporaryFileFor(file));
    EXPECT_FALSE(controller->SaveGameFile(file));
    EXPECT_TRUE(Shown(ui, "game.zlk could not be saved"));
    EXPECT_EQ(ReadFile(file), "the old game");
    std::filesystem::remove(TemporaryFileFor(file));
    EXPECT_TRUE(controller->SaveGameFile(file));
    EXPECT_EQ(ReadFile(file).substr(0, 19), "ZELKOR Version=0.10");
}

TEST_F(DataFolderFault, ASaveIntoADeviceOrAPipeFailsAndLeavesItAlone) {
    Start(dir.path());
    ASSERT_TRUE(PlayOneMove());
    const std::filesystem::path pipe = dir / "pipe.zlk";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(controller->SaveGameFile(pipe));
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));
    EXPECT_FALSE(controller->SaveGameFile(dir.path()));
    EXPECT_TRUE(std::filesystem::is_directory(dir.path()));

    if (!std::filesystem::is_character_file("/dev/full")) GTEST_SKIP();
    ui.messages.clear();
    EXPECT_FALSE(controller->SaveGameFile("/dev/full"));
    EXPECT_TRUE(Shown(ui, "full could not be saved"));
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
    EXPECT_FALSE(std::filesystem::exists(TemporaryFileFor("/dev/full")));
}

}  // namespace
}  // namespace zelkor
