// Closing the program at the worst moments: while the computer thinks, while a game file is
// loaded, while a modal dialog is open. The window calls Shutdown from inside the running
// work (the search lets events run at every node, a message box runs its own event loop);
// the work must then unwind without touching the files again, and nothing may crash.
#include <gtest/gtest.h>

#include <functional>

#include "controller_fixture.h"

namespace zelkor {
namespace {

// A recording interface that runs a callback while a message box or a file dialog is open.
class ClosingUi : public test::RecordingUi {
  public:
    Answer Message(const std::string& text, const std::string& title, Icon icon,
                   Buttons buttons) override {
        const Answer answer = RecordingUi::Message(text, title, icon, buttons);
        if (onDialog) onDialog();
        return answer;
    }
    std::optional<std::string> AskSaveFile(const std::string& title,
                                           const std::string& filter) override {
        const auto answer = RecordingUi::AskSaveFile(title, filter);
        if (onDialog) onDialog();
        return answer;
    }
    std::function<void()> onDialog;
};

class ShutdownFault : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::copy_file(test::ShippedDataDir() / "variants.ini", dir / "variants.ini");
        c = std::make_unique<GameController>(ui, clock, random, dir.path());
        c->StartUp();
        c->settings().UseDepth = 1;
    }
    // Shutdown at the n-th event the work lets run; the settings file it writes is kept to
    // see that nothing writes it again.
    void CloseAtEvent(long long n) {
        ui.onProcessEvents = [this, n] {
            if (ui.eventsProcessed == n) CloseNow();
        };
    }
    void CloseNow() {
        if (c->shutDown()) return;
        c->Shutdown();
        settingsAtClose = test::ReadFile(dir / "zelkor.ini");
        messagesAtClose = ui.messages.size();
        std::filesystem::remove(dir / "zelkor.ini");
    }
    void ExpectClosedCleanly() {
        EXPECT_TRUE(c->shutDown());
        EXPECT_FALSE(settingsAtClose.empty());
        EXPECT_FALSE(std::filesystem::exists(dir / "zelkor.ini")) << "written after the close";
        c->Shutdown();  // the window's own close after the work returned does nothing more
        EXPECT_FALSE(std::filesystem::exists(dir / "zelkor.ini"));
    }

    test::TempDir dir;
    ClosingUi ui;
    test::FakeClock clock;
    test::ScriptedRandom random;
    std::unique_ptr<GameController> c;
    std::string settingsAtClose;
    std::size_t messagesAtClose = 0;
};

TEST_F(ShutdownFault, ClosingDuringTheComputersSearch) {
    c->settings().SearchDepth = 4;
    CloseAtEvent(50);
    c->ComputeCommand();
    ExpectClosedCleanly();
    EXPECT_FALSE(c->game().busy && c->game().cancelRequest == 0);
    EXPECT_EQ(ui.messages.size(), messagesAtClose) << "a message after the close";
}

TEST_F(ShutdownFault, ClosingDuringComputerComputerPlay) {
    c->settings().SearchDepth = 2;
    CloseAtEvent(3000);
    c->RunComputerComputer();
    ExpectClosedCleanly();
    EXPECT_GT(c->game().gamePly, 0);
    EXPECT_EQ(ui.messages.size(), messagesAtClose);
}

TEST_F(ShutdownFault, ClosingWhileALoadShowsItsMessage) {
    // A load lets no events run but its message boxes do: the window may close there.
    test::WriteFile(dir / "bad.zlk",
                    "ZELKOR Version=0.10\r\nVariant=1\r\nSTART\r\nh4g5\r\nzzzz\r\nd6c5\r\n");
    ui.onDialog = [this] { CloseNow(); };
    EXPECT_FALSE(c->LoadGameFile(dir / "bad.zlk"));
    ExpectClosedCleanly();
    EXPECT_FALSE(c->loading());
}

TEST_F(ShutdownFault, ClosingWhileTheSaveDialogIsOpen) {
    ui.fileAnswers.push_back((dir / "game.zlk").string());
    ui.onDialog = [this] { CloseNow(); };
    c->SaveAs();
    ExpectClosedCleanly();
}

TEST_F(ShutdownFault, ClosingWhileTheComputersMessageIsOpen) {
    // Every message box of a Computer-Computer game (draw offers, the result) closes the
    // program: the run stops at the first one.
    c->settings().SearchDepth = 1;
    ui.onDialog = [this] { CloseNow(); };
    c->RunComputerComputer();
    if (ui.messages.empty()) GTEST_SKIP() << "the game showed no message";
    ExpectClosedCleanly();
    EXPECT_EQ(ui.messages.size(), messagesAtClose);
}

}  // namespace
}  // namespace zelkor
