#include "game/master_play.h"

#include <algorithm>
#include <charconv>
#include <thread>

#include "engine/display.h"
#include "engine/driver.h"
#include "game/controller.h"
#include "game/hint_board.h"
#include "records/text_file.h"
#include "rules/make_move.h"
#include "rules/move_text.h"
#include "rules/movegen.h"

namespace zelkor {

namespace {

// A search by depth has no time limit of its own, and an analysis runs until it is stopped.
constexpr double kUnlimitedSeconds = 24 * 3600;

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The line of (from, to) pairs from g's position, with each move's jump flag; it ends
// before the first pair that is no legal move there.
std::vector<PvEntry> LineOf(const GameState& g, const std::vector<std::pair<int, int>>& pv) {
    std::vector<PvEntry> line;
    GameState scratch = g;
    scratch.faultReport = nullptr;
    InitGameTree(scratch);
    for (const auto& [from, to] : pv) {
        if (scratch.ply >= kMaxPly - 1) break;
        GenerateMoves(scratch, MoveSet::All);
        int found = -1;
        for (int i = scratch.plyStart[scratch.ply]; i < scratch.plyStart[scratch.ply + 1]; ++i)
            if (scratch.movePool[i].Source == from && scratch.movePool[i].dest == to) found = i;
        if (found < 0) break;
        line.push_back({from, to, scratch.movePool[found].jump == 1 ? 1 : 0});
        if (!PerformMove(scratch, found)) break;
    }
    return line;
}

}  // namespace

int DefaultMasterThreads() {
    return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, kMaxMasterThreads);
}

MasterChoice ParseMasterChoice(const std::string& text) {
    MasterChoice choice;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = Trimmed(text.substr(start, end - start));
        start = end + 1;
        if (line.starts_with("master=")) {
            const std::string value = line.substr(7);
            if (value == "true" || value == "false") choice.master = value == "true";
        } else if (line.starts_with("threads=")) {
            const std::string value = line.substr(8);
            int threads = 0;
            const auto [last, error] =
                std::from_chars(value.data(), value.data() + value.size(), threads);
            if (error == std::errc() && last == value.data() + value.size() && threads >= 1 &&
                threads <= kMaxMasterThreads)
                choice.threads = threads;
        }
    }
    return choice;
}

MasterChoice ReadMasterChoice(const std::filesystem::path& dataDir) {
    const std::optional<std::string> text = ReadDataFile(dataDir / kMasterFileName, 64 * 1024);
    return text ? ParseMasterChoice(*text) : MasterChoice{};
}

bool WriteMasterChoice(const std::filesystem::path& dataDir, const MasterChoice& choice) {
    return WriteFileSafely(dataDir / kMasterFileName,
                           std::string("[master]\r\nmaster=") + (choice.master ? "true" : "false") +
                               "\r\nthreads=" + std::to_string(choice.threads) + "\r\n");
}

master::MasterLimits MasterMoveLimits(const Settings& settings, int threads, bool analysis) {
    master::MasterLimits limits;
    limits.threads = std::clamp(threads, 1, kMaxMasterThreads);
    limits.chessDrawRules = settings.ChessDrawRules == 1;
    limits.drawRule15 = settings.DrawRule15 == 1;
    if (analysis) {
        limits.seconds = kUnlimitedSeconds;
    } else if (settings.UseDepth == 1) {
        limits.seconds = kUnlimitedSeconds;
        limits.maxDepth = std::clamp<int>(settings.SearchDepth, 1, limits.maxDepth);
    } else {
        limits.seconds = std::max<int>(settings.ThinkTime, 1);
    }
    return limits;
}

SearchResult RunMasterSearch(master::MasterEngine& engine, const GameState& g,
                             const master::MasterLimits& limits, const SearchProgress& progress,
                             const std::shared_ptr<MasterProgress>& latest) {
    master::MasterLimits run = limits;
    run.onProgress = [&g, &progress, &latest](const master::MasterResult& found) {
        const std::vector<PvEntry> line = LineOf(g, found.pv);
        NewBestReport report;
        report.depth = found.depth;
        report.move =
            LineText(g, {line.begin(), line.begin() + (line.empty() ? 0 : 1)}, g.jumpChar);
        report.score = found.score;
        report.mainLine = MainLineText(g, line, g.jumpChar);
        const RootEntry entry{found.from, found.to, found.score, false, found.depth};
        {
            const std::lock_guard lock(latest->mutex);
            latest->analysisLines = {AnalysisLine(g, entry, LineText(g, line, g.jumpChar))};
            latest->seconds = found.seconds;
        }
        if (progress.newBest) progress.newBest(report);
    };
    const master::MasterResult found = engine.Search(g, run);
    SearchResult result;
    result.best.Source = found.from;
    result.best.dest = found.to;
    result.best.jump = found.jump ? 1 : 0;
    result.score = found.score;
    result.depth = found.depth;
    result.mainLine = LineOf(g, found.pv);
    if (found.from != 0)
        result.rootMoves.push_back({found.from, found.to, found.score, false, found.depth});
    result.stop =
        limits.stop && limits.stop->load() ? StopReason::Cancelled : StopReason::Completed;
    result.nodes = found.nodes;
    return result;
}

void ApplyMasterResult(GameState& g, SearchState& s, const SearchResult& result, bool stopped) {
    g.timeUp = false;
    g.searchStopped = stopped;
    g.cancelRequest = CancelRequest::None;
    s.repetitionCount = 0;
    s.depthReached = result.depth;
    const int n = std::clamp(s.rootCount, 0, kMovePoolSize);
    int best = -1;
    for (int i = 0; i < n; ++i)
        if (g.movePool[i].Source == result.best.Source && g.movePool[i].dest == result.best.dest)
            best = i;
    // Nothing found (stopped before the first iteration): the first root move stands, as
    // it does for the levels' search.
    if (best < 0) return;
    std::rotate(g.movePool.begin(), g.movePool.begin() + best, g.movePool.begin() + best + 1);
    std::rotate(s.rootTable.begin(), s.rootTable.begin() + best, s.rootTable.begin() + best + 1);
    RootEntry& entry = s.rootTable[0];
    entry.score = result.score;
    entry.upperBound = false;
    entry.depth = result.depth;
    s.bestScore = result.score;
    s.bestLine.fill(PvEntry{});
    for (std::size_t p = 0; p < result.mainLine.size() && p < kMaxPly; ++p)
        s.bestLine[p] = result.mainLine[p];
    s.hintFrom = result.mainLine.size() > 1 ? result.mainLine[1].Source : 0;
    s.hintTo = result.mainLine.size() > 1 ? result.mainLine[1].dest : 0;
}

master::MasterEngine& MasterPlay::Engine() {
    if (!engine_) engine_ = std::make_unique<master::MasterEngine>();
    return *engine_;
}

void MasterPlay::NewGame() {
    playedThisGame = false;
    if (engine_) engine_->Clear();
}

// ---------------------------------------------------------------------------------------
// The controller's Master hook points

bool GameController::UseMaster(const MovePlan& plan) const {
    // A book move and a single legal move need no search of Master's.
    return master_->choice.master && !plan.limits.bookMove && !plan.limits.hint &&
           search_->rootCount > 1;
}

MasterChoice& GameController::masterChoice() {
    return master_->choice;
}

void GameController::StartMasterSearch(const char* status,
                                       std::function<void(const SearchResult&)> done) {
    const bool analysis = search_->analysedHere;
    SearchProgress shown;
    auto latest = std::make_shared<MasterProgress>();
    const std::string statusText = ui_.Translate("Game", status);
    const int rootCount = search_->rootCount;
    shown.newBest = [this, statusText, analysis, latest, rootCount](const NewBestReport& report) {
        ui_.SetText(Display::Status,
                    statusText + std::to_string(report.depth) + ")  " + report.move);
        if (settings_.ShowCalculation)
            ui_.SetText(Display::Calculation, CalculationText(report, ui_));
        if (analysis) {
            const std::lock_guard lock(latest->mutex);
            ui_.SetListLines(ListId::Analysis, latest->analysisLines);
        } else if (settings_.UseDepth == 1) {
            ui_.SetProgressValue(rootCount * std::min<int>(report.depth, settings_.SearchDepth));
        } else {
            const std::lock_guard lock(latest->mutex);
            const int elapsed =
                std::min<int>(static_cast<int>(latest->seconds), settings_.ThinkTime);
            ui_.SetProgressValue(elapsed);
            if (settings_.CountdownTimer == 1)
                ui_.SetText(Display::Countdown, std::to_string(settings_.ThinkTime - elapsed));
        }
    };
    master::MasterLimits limits = MasterMoveLimits(settings_, master_->choice.threads, analysis);
    limits.stop = &stopRequest_;
    auto game = std::make_shared<GameState>(*game_);
    game->faultReport = nullptr;  // a fault found there is reported on stderr
    const SearchProgress progress = runner_->Wrap(shown);
    master::MasterEngine& masterEngine = master_->Engine();
    runner_->Run(
        [&masterEngine, game, limits, progress, latest] {
            return RunMasterSearch(masterEngine, *game, limits, progress, latest);
        },
        [this, analysis, latest, done = std::move(done)](const SearchResult& result) {
            if (shutDown_) {
                game_->busy = false;
                return;
            }
            ApplyMasterResult(*game_, *search_, result, stopRequest_.load());
            if (!analysis) master_->playedThisGame = true;
            const bool bothComputer = game_->playMode == PlayMode::ComputerComputer;
            std::vector<std::string> lines;
            {
                const std::lock_guard lock(latest->mutex);
                lines = latest->analysisLines;
            }
            done(result);
            if (shutDown_) return;
            // Master knows the value of its best move only: the list shows that line.
            if (!bothComputer) ui_.SetListLines(ListId::Analysis, lines);
        });
}

std::string GameController::StrengthText() const {
    return LevelText(settings_, ui_, master_->choice.master);
}

std::function<void(const SearchResult&)> GameController::WithMasterStrength(
    std::function<void(const SearchResult&)> done) {
    // The computer's move rewrites the levels' display after a search by depth.
    return [this, done = std::move(done)](const SearchResult& result) {
        done(result);
        if (!shutDown_) ui_.SetText(Display::Strength, StrengthText());
    };
}

bool GameController::MasterHint() {
    GameSession& g = *game_;
    SearchState& s = *search_;
    if (!master_->choice.master) return false;
    // The stored reply of the computer's last line is answered as the levels answer it.
    const std::vector<Move> moves = LegalMoves(g);
    if (moves.empty()) return false;  // the levels' hint tells the end
    for (const Move& m : moves)
        if (m.Source == s.hintFrom && m.dest == s.hintTo) return false;
    g.busy = true;
    ComputationBusy(Computation::Hint);
    master::MasterLimits limits = MasterMoveLimits(settings_, master_->choice.threads, false);
    limits.seconds = std::min(limits.seconds, kMasterHintSeconds);
    limits.stop = &stopRequest_;
    auto copy = std::make_shared<GameState>(g);
    copy->faultReport = nullptr;
    auto latest = std::make_shared<MasterProgress>();
    const SearchProgress progress = runner_->Wrap(SearchProgress{});
    master::MasterEngine& masterEngine = master_->Engine();
    hintRunning_ = true;
    runner_->Run(
        [&masterEngine, copy, limits, progress, latest] {
            return RunMasterSearch(masterEngine, *copy, limits, progress, latest);
        },
        [this](const SearchResult& result) {
            hintRunning_ = false;
            if (shutDown_) {
                game_->busy = false;
                return;
            }
            if (result.best.Source != 0)
                ShowHint("Try " + MoveTextOf(*game_, result.best.Source, result.best.dest,
                                             result.best.jump == 1)
                                      .display);
            else
                ui_.Message(ui_.Translate("Game", "You have already won!"),
                            ui_.Translate("Game", "Congratulations"), Icon::Exclamation);
            EndHint();
        });
    return true;
}

}  // namespace zelkor
