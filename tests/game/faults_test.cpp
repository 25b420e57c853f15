// Faults: unwritable folders, failed saves, a full move list, closing at the worst moments.
// The tests may run as root, so an unwritable folder is a path below a regular file.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <functional>

#include "controller_fixture.h"
#include "records/text_file.h"
#include "rules/make_move.h"
#include "rules/movegen.h"

namespace zelkor::test {
namespace {

class DataFolderFault : public ControllerTest {
  protected:
    void SetUp() override {}
    bool PlayOneMove() { return Type(c().legalMoveLines().front()); }
};

TEST_F(DataFolderFault, AnUnwritableFolderIsReportedAndTheGameGoesOn) {
    WriteFile(dir / "file.txt", "not a folder");
    const std::filesystem::path dataDir = dir / "file.txt" / "sub";
    ASSERT_NO_THROW(Start(dataDir));
    EXPECT_TRUE(Told("Error", "zelkor.log"));  // the run goes on without its log
    ASSERT_TRUE(PlayOneMove());
    EXPECT_TRUE(!c().SaveGameFile(dataDir / "game.zlk") &&
                Told("Error", "game.zlk could not be saved"));
    ASSERT_TRUE(PlayOneMove());  // the game is still there and goes on
    c().Shutdown();
    EXPECT_TRUE(Told("Error", "Cannot write " + (dataDir / "zelkor.ini").string()) &&
                Told("Error", "Cannot write " + (dataDir / "zelkor.rtg").string()));
    EXPECT_EQ(ReadFile(dir / "file.txt"), "not a folder");

    if (!std::filesystem::is_directory("/proc/self")) return;
    ASSERT_NO_THROW(Start("/proc/self"));
    ASSERT_TRUE(PlayOneMove());
    c().Shutdown();
    EXPECT_TRUE(Told("Error", "Cannot write /proc/self/zelkor.ini"));
}

TEST_F(DataFolderFault, AFailedSaveLeavesTheOldFileOrDeviceAlone) {
    Start(dir.path());
    ASSERT_TRUE(PlayOneMove());
    const std::filesystem::path file = dir / "game.zlk";
    WriteFile(file, "the old game");
    // A write-protected file is not replaced.
    std::filesystem::permissions(file, std::filesystem::perms(0444));
    EXPECT_FALSE(c().SaveGameFile(file));
    EXPECT_TRUE(Told("Error", "game.zlk could not be saved: it is write-protected"));
    EXPECT_EQ(ReadFile(file), "the old game");
    std::filesystem::permissions(file, std::filesystem::perms(0644));
    EXPECT_TRUE(c().SaveGameFile(file));
    EXPECT_EQ(ReadFile(file).substr(0, 19), "ZELKOR Version=0.10");

    const std::filesystem::path pipe = dir / "pipe.zlk";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_TRUE(!c().SaveGameFile(pipe) && std::filesystem::is_fifo(pipe));
    EXPECT_TRUE(!c().SaveGameFile(dir.path()) && std::filesystem::is_directory(dir.path()));
    if (!std::filesystem::is_character_file("/dev/full")) GTEST_SKIP();
    ui.messages.clear();
    EXPECT_FALSE(c().SaveGameFile("/dev/full"));
    EXPECT_TRUE(Told("Error", "full could not be saved"));
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

// A game of 1000 half-moves fills the move list; it can still be saved, loaded and navigated.
using MoveLimit = ControllerTest;

TEST_F(MoveLimit, EveryWayOfMovingStopsAtTheLimit) {
    PlayShuffle(kMaxGamePlies);
    EXPECT_EQ(std::tuple(g().gameMoveLines.size(), g().gameMoveLines.back()),
              std::tuple(size_t{kMaxGamePlies}, "      e7-d8"));
    const std::function<void()> ways[] = {
        [&] { c().ComputeCommand(); }, [&] { c().BoardDrop(Sq("e1"), Sq("d2")); },
        [&] { c().TypedMove("e1d2"); }, [&] { c().RunComputerComputer(); }};
    for (const auto& move : ways) {
        g().gameOver = false;
        ui.messages.clear();
        move();
        ASSERT_FALSE(ui.messages.empty());
        EXPECT_EQ(ui.messages.back().text, kMoveLimitMessage);
    }
    g().gameOver = false;
    c().LegalMoveChosen(0);
    EXPECT_FALSE(c().InputMove("E1D2"));
    EXPECT_EQ(std::tuple(g().gamePly, g().recordLength), std::tuple(kMaxGamePlies, kMaxGamePlies));

    ASSERT_TRUE(c().SaveGameFile(dir / "long.zlk"));
    c().NewGameCommand(false);
    ASSERT_TRUE(c().LoadGameFile(dir / "long.zlk"));
    EXPECT_EQ(g().gameMoveLines.size(), static_cast<size_t>(kMaxGamePlies));
    c().First();
    c().Last();
    ui.messages.clear();
    EXPECT_FALSE(Type("e1d2"));
    EXPECT_EQ(ui.messages.back().text, kMoveLimitMessage);
    // A longer file stops early: no name kept, nothing past the tables.
    std::string text = kGameHeader + "START\r\n";
    for (int ply = 0; ply < 1200; ++ply)
        text += std::string(kShuffle[ply % 4]) + "\r\n";
    WriteFile(dir / "longer.zlk", text);
    EXPECT_FALSE(c().LoadGameFile(dir / "longer.zlk"));
    EXPECT_EQ(std::tuple(c().currentFileName(), g().gamePly, g().recordLength, c().loading()),
              std::tuple("", kMaxGamePlies, kMaxGamePlies, false));
}

// The window calls Shutdown from inside running work; the work unwinds without writing again.
class ShutdownFault : public ControllerTest {
  protected:
    // The settings file written at the close is removed to see that nothing writes it again.
    void CloseNow() {
        if (c().shutDown()) return;
        c().Shutdown();
        settingsAtClose = ReadFile(dir / "zelkor.ini");
        messagesAtClose = ui.messages.size();
        std::filesystem::remove(dir / "zelkor.ini");
    }
    void ExpectClosedCleanly() {
        EXPECT_TRUE(c().shutDown() && !settingsAtClose.empty());
        EXPECT_FALSE(std::filesystem::exists(dir / "zelkor.ini")) << "written after the close";
        c().Shutdown();  // the window's own close after the work returned does nothing more
        EXPECT_FALSE(std::filesystem::exists(dir / "zelkor.ini"));
        EXPECT_EQ(ui.messages.size(), messagesAtClose) << "a message after the close";
    }

    std::string settingsAtClose;
    std::size_t messagesAtClose = 0;
};

TEST_F(ShutdownFault, AnInternalFaultEndsTheProgramWithItsMessage) {
    ui.messages.clear();
    EXPECT_THROW(UiFaultReport(ui).Fatal("Error found! Zelkor will exit"), Terminated);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(Shown(ui.messages[0]), "Error: Error found! Zelkor will exit");
}

// The window closes while a load's message, the save dialog or the computer's message is up.
TEST_F(ShutdownFault, ClosingWhileADialogIsUp) {
    WriteFile(dir / "bad.zlk", kGameHeader + "START\r\nh4g5\r\nzzzz\r\nd6c5\r\n");
    ui.fileAnswers = {(dir / "game.zlk").string()};  // for the save dialog
    const std::function<void()> opens[] = {[&] { EXPECT_FALSE(c().LoadGameFile(dir / "bad.zlk")); },
                                           [&] { c().SaveAs(); },
                                           [&] { c().RunComputerComputer(); }};
    for (const auto& open : opens) {
        Start();
        ui.onDialog = [this] { CloseNow(); };
        open();
        ExpectClosedCleanly();
        EXPECT_FALSE(c().loading());
    }
}

}  // namespace
}  // namespace zelkor::test
