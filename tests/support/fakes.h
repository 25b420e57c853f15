// Test doubles: a recording user interface, a clock that moves when told, scripted random numbers.
#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/user_interface.h"

namespace zelkor::test {

struct Terminated : std::runtime_error {
    Terminated() : std::runtime_error("terminated") {}
};

struct ShownMessage {
    std::string text, title;
    Icon icon;
    Buttons buttons;
    size_t gameMovesShown = 0, legalMovesShown = 0;  // list lengths while the box was up
};

inline std::string Shown(const ShownMessage& m) {
    return m.title + ": " + m.text;
}

class RecordingUi : public UserInterface {
  public:
    void SetText(Display display, const std::string& text) override;
    std::string Text(Display display) const override;
    void HighlightSideToMove(bool firstSide) override { firstSideHighlighted = firstSide; }
    void SetEnabled(Command command, bool enabled) override { enabledState[command] = enabled; }
    void SetChecked(Command command, bool checked) override { checkedState[command] = checked; }
    void SetListLines(ListId list, const std::vector<std::string>& lines) override {
        lists[list] = lines;
    }
    void SelectListLine(ListId list, int line) override { selected[list] = line; }
    void SetProgressMaximum(int maximum) override { progressMaximum = maximum; }
    void SetProgressValue(int value) override { progressValues.push_back(progressValue = value); }
    void ShowCountdown(bool countdown) override { countdownShown = countdown; }
    void RedrawBoard() override { ++redraws; }
    void SetWaitCursor(bool) override {}
    Answer Message(const std::string& text, const std::string& title, Icon icon,
                   Buttons buttons) override;
    std::optional<std::string> AskSaveFile(const std::string& title,
                                           const std::string& filter) override;
    std::optional<std::string> AskOpenFile(const std::string& title,
                                           const std::string& filter) override {
        return AskSaveFile(title, filter);
    }
    std::string ChooseBookMove(const std::vector<std::string>& lines, const std::string& gamesLabel,
                               const std::string& movesLabel) override;
    void ShowVariantDialog() override { ++variantDialogs; }
    void ProcessEvents() override {
        ++eventsProcessed;
        if (onProcessEvents) onProcessEvents();
    }
    [[noreturn]] void Terminate() override { throw Terminated(); }

    bool enabled(Command command) const;  // never set counts as enabled
    bool checked(Command command) const;
    const std::vector<std::string>& list(ListId list) const;

    // Answers in order (Yes when none are left); onProcessEvents runs at every ProcessEvents.
    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> fileAnswers;
    std::function<void()> onProcessEvents;
    std::function<void()> onDialog;  // while a message box or a file dialog is up

    std::vector<ShownMessage> messages;
    std::map<Display, std::string> texts;
    std::map<Command, bool> enabledState, checkedState;
    std::map<ListId, std::vector<std::string>> lists;
    std::map<ListId, int> selected;
    std::vector<std::string> statusHistory;  // every status text shown, in order
    std::vector<std::vector<std::string>> bookDialogs;
    bool firstSideHighlighted = true;
    int progressMaximum = 0, progressValue = 0, variantDialogs = 0, redraws = 0;
    std::vector<int> progressValues;  // every value shown, in order
    bool countdownShown = false;
    long long eventsProcessed = 0;
};

class FakeClock : public Clock {
  public:
    double SecondsSinceMidnight() override { return now += tick; }
    std::string DateText() override { return "06.12.2026"; }
    std::string TimeText() override { return "12:00:00"; }
    void Pause(double seconds) override {
        now += seconds;
        pauses.push_back(seconds);
        if (onPause) onPause();
    }

    double now = 43200.0;
    double tick = 0.0;  // added at every reading, to let time pass during a search
    std::vector<double> pauses;
    std::function<void()> onPause;  // after each pause is noted
};

class ScriptedRandom : public Random {
  public:
    double Uniform() override;
    void Seed(unsigned long long) override {}

    std::deque<double> values;
    double fallback = 0.0;
};

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& contents);
// The names in a folder, sorted (a temporary file left behind shows here).
std::vector<std::string> FileNames(const std::filesystem::path& folder);
std::filesystem::path ShippedDataDir();
std::filesystem::path TestDataDir();
// Whether `text` holds `part`; a failure shows the whole text.
testing::AssertionResult Has(const std::string& text, const std::string& part);

}  // namespace zelkor::test
