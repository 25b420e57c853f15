// Test doubles: a user interface that records everything the game shows and answers
// questions from a script, a clock that only moves when told, and scripted random numbers.
#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "rules/user_interface.h"

namespace zelkor::test {

// Thrown by RecordingUi::Terminate so that a test can observe the fatal path.
struct Terminated : std::runtime_error {
    Terminated() : std::runtime_error("terminated") {}
};

struct ShownMessage {
    std::string text;
    std::string title;
    Icon icon;
    Buttons buttons;
    size_t gameMovesShown = 0;   // lines of the game move list while the box was up
    size_t legalMovesShown = 0;  // lines of the legal-move list
};

// "Caption: text", to check a message's caption and text in one expectation.
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
    void SetProgressValue(int value) override { progressValue = value; }
    void ShowCountdown(bool countdown) override { countdownShown = countdown; }
    void RedrawBoard() override { ++redraws; }
    void SetWaitCursor(bool waiting) override { waitCursor = waiting; }
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

    // Answers for questions, in order; Yes when the script is empty.
    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> fileAnswers;
    std::deque<std::string> bookAnswers;
    // Called at every ProcessEvents, e.g. to press Cancel in the middle of a search.
    std::function<void()> onProcessEvents;

    std::vector<ShownMessage> messages;
    std::map<Display, std::string> texts;
    std::map<Command, bool> enabledState;
    std::map<Command, bool> checkedState;
    std::map<ListId, std::vector<std::string>> lists;
    std::map<ListId, int> selected;
    std::vector<std::string> statusHistory;  // every status text shown, in order
    std::vector<std::vector<std::string>> bookDialogs;
    bool firstSideHighlighted = true;
    int progressMaximum = 0;
    int progressValue = 0;
    bool countdownShown = false;
    bool waitCursor = false;
    int redraws = 0;
    int variantDialogs = 0;
    long long eventsProcessed = 0;
};

// A clock that stands still unless a test moves it; Pause advances it.
class FakeClock : public Clock {
  public:
    double SecondsSinceMidnight() override { return now += tick; }
    std::string DateText() override { return "06.12.2026"; }
    std::string TimeText() override { return "12:00:00"; }
    void Pause(double seconds) override {
        now += seconds;
        pauses.push_back(seconds);
    }

    double now = 43200.0;
    double tick = 0.0;  // added at every reading, to let time pass during a search
    std::vector<double> pauses;
};

// Returns the scripted values, then repeats `fallback`.
class ScriptedRandom : public Random {
  public:
    double Uniform() override;
    void Seed(unsigned long long seed) override { seeds.push_back(seed); }

    std::deque<double> values;
    double fallback = 0.0;
    std::vector<unsigned long long> seeds;
};

// A fresh temporary folder, removed with the object.
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
// The repository's data/ folder and tests/data folder.
std::filesystem::path ShippedDataDir();
std::filesystem::path TestDataDir();

}  // namespace zelkor::test
