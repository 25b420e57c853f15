#include "support/fakes.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>

namespace zelkor::test {

testing::AssertionResult Has(const std::string& text, const std::string& part) {
    if (text.find(part) != std::string::npos) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "no \"" << part << "\" in:\n" << text;
}

void RecordingUi::SetText(Display display, const std::string& text) {
    texts[display] = text;
    if (display == Display::Status) statusHistory.push_back(text);
}

std::string RecordingUi::Text(Display display) const {
    const auto it = texts.find(display);
    return it == texts.end() ? std::string() : it->second;
}

bool RecordingUi::enabled(Command command) const {
    const auto it = enabledState.find(command);
    return it == enabledState.end() || it->second;
}

bool RecordingUi::checked(Command command) const {
    const auto it = checkedState.find(command);
    return it != checkedState.end() && it->second;
}

const std::vector<std::string>& RecordingUi::list(ListId id) const {
    static const std::vector<std::string> empty;
    const auto it = lists.find(id);
    return it == lists.end() ? empty : it->second;
}

Answer RecordingUi::Message(const std::string& text, const std::string& title, Icon icon,
                            Buttons buttons) {
    messages.push_back({text, title, icon, buttons, lists[ListId::GameMoves].size(),
                        lists[ListId::LegalMoves].size()});
    if (onDialog) onDialog();
    if (buttons != Buttons::YesNo) return Answer::Ok;
    if (answers.empty()) return Answer::Yes;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<std::string> RecordingUi::AskSaveFile(const std::string&, const std::string&) {
    if (onDialog) onDialog();
    if (fileAnswers.empty()) return std::nullopt;
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

std::string RecordingUi::ChooseBookMove(const std::vector<std::string>& lines,
                                        const std::string& gamesLabel,
                                        const std::string& movesLabel) {
    bookDialogs.push_back(lines);
    bookDialogs.back().insert(bookDialogs.back().end(), {gamesLabel, movesLabel});
    return {};  // no choice
}

double ScriptedRandom::Uniform() {
    if (values.empty()) return fallback;
    const double v = values.front();
    values.pop_front();
    return v;
}

TempDir::TempDir() {
    std::random_device device;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::ostringstream name;
        name << "zelkor-test-" << std::hex << device() << device();
        path_ = std::filesystem::temp_directory_path() / name.str();
        if (std::filesystem::create_directory(path_)) return;
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> FileNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ostringstream contents;
    contents << std::ifstream(path, std::ios::binary).rdbuf();
    return contents.str();
}

void WriteFile(const std::filesystem::path& path, const std::string& contents) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << contents;
}

std::filesystem::path ShippedDataDir() {
    return ZELKOR_SOURCE_DIR "/data";
}
std::filesystem::path TestDataDir() {
    return ZELKOR_TEST_DATA_DIR;
}

}  // namespace zelkor::test
