// zelkor-cli book: grows a variant's opening book from its start position with the
// program's own search and writes the variant's section into a book file, replacing the
// section of the same variant or adding it at the end.
//
// At every position of the tree the search gives the best move and its score at a fixed
// depth without noise; every other move is then tested with a null window against the
// best score less the margin, and only the few that pass get an exact score. The best
// move and the moves within the margin (at most --width of them) are book moves, weighted
// 3, 2 or 1 by how close they come to the best score: a move is written once per unit of
// weight, which is how often the look-up proposes it. Beyond --branch-plies the tree
// follows the best move only, which keeps the number of searched positions in bounds.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/system_services.h"
#include "cli/command.h"
#include "cli/headless_ui.h"
#include "engine/driver.h"
#include "engine/engine.h"
#include "engine/evaluate.h"
#include "engine/search.h"
#include "game/controller.h"
#include "game/silent_ui.h"
#include "records/book.h"
#include "records/settings.h"
#include "records/text_file.h"
#include "records/variant_file.h"
#include "rules/game_end.h"
#include "rules/make_move.h"
#include "rules/movegen.h"

namespace zelkor::cli {
namespace {

struct BookOptions {
    int variant = 1;
    int depth = 7;
    int plies = 8;
    int margin = 10;
    int width = 3;
    int branchPlies = 4;  // deeper, the tree follows the best move only
    std::string out;
};

struct Choice {
    std::string move;  // "g1e3"
    int score = 0;
    int weight = 1;
};

std::string MoveName(const Move& m) {
    return SquareName(m.Source) + SquareName(m.dest);
}

// Plays a legal move given by its squares as a replayed move would be recorded. The
// jump flag of the move played lands in jump.
bool PlayBookMove(GameState& g, const std::string& text, int* jump = nullptr) {
    const auto [from, to] = BookMoveSquares(text);
    return PlayRecordedMove(g, from, to, jump);
}

// Where a side's men start and where they are going: the middle of its camp and of its
// home squares. A move is described from the mover's point of view along that axis.
struct CampAxis {
    double cx = 0, cy = 0;     // camp centre
    double vx = 0, vy = 1;     // unit vector toward the home squares
    std::vector<double> rows;  // the camp men's distinct distances ahead of the centre, front first
    std::set<int> camp;
};

double Ahead(const CampAxis& a, int square) {
    return (ColumnOf(square) - a.cx) * a.vx + (RowOf(square) - a.cy) * a.vy;
}
double Across(const CampAxis& a, int square) {
    return a.vx * (RowOf(square) - a.cy) - a.vy * (ColumnOf(square) - a.cx);
}

CampAxis AxisOf(const GameState& start, int sideIndex) {
    CampAxis a;
    const int man = sideIndex == 0 ? kWhiteMan : kBlackMan;
    double n = 0;
    for (int sq : kPlayingSquares)
        if (start.initialBoard[sq] == man) {
            a.camp.insert(sq);
            a.cx += ColumnOf(sq);
            a.cy += RowOf(sq);
            ++n;
        }
    if (n > 0) a.cx /= n, a.cy /= n;
    double hx = 0, hy = 0, h = 0;
    for (int sq : start.active.home[sideIndex])
        if (IsPlayingSquare(sq)) hx += ColumnOf(sq), hy += RowOf(sq), ++h;
    if (h > 0) {
        const double dx = hx / h - a.cx, dy = hy / h - a.cy;
        const double len = std::sqrt(dx * dx + dy * dy);
        if (len > 0.01) a.vx = dx / len, a.vy = dy / len;
    } else if (sideIndex == 1) {
        a.vy = -1;
    }
    for (int sq : a.camp) {
        const double p = Ahead(a, sq);
        if (std::none_of(a.rows.begin(), a.rows.end(),
                         [&](double r) { return std::fabs(r - p) < 0.1; }))
            a.rows.push_back(p);
    }
    std::sort(a.rows.rbegin(), a.rows.rend());
    return a;
}

// "Left Flank Front-Row", "Centre Corner Jump": the side of the axis the man goes to, the
// row of the camp it leaves, and whether it jumps (a chain when it lands far away).
std::string MoveShape(const CampAxis& a, const std::string& move, int jump) {
    const auto [from, to] = BookMoveSquares(move);
    const double across = Across(a, to);
    std::string text = across > 0.6 ? "Left Flank" : across < -0.6 ? "Right Flank" : "Centre";
    if (a.camp.count(from) && a.rows.size() > 1) {
        const double p = Ahead(a, from);
        std::size_t row = 0;
        while (row + 1 < a.rows.size() && std::fabs(a.rows[row] - p) >= 0.1)
            ++row;
        const bool lone = std::count_if(a.camp.begin(), a.camp.end(), [&](int sq) {
                              return std::fabs(Ahead(a, sq) - a.rows[row]) < 0.1;
                          }) == 1;
        static const char* const kOrdinals[] = {"Second", "Third", "Fourth", "Fifth", "Sixth"};
        if (row == 0)
            text += " Front-Row";
        else if (row + 1 == a.rows.size())
            text += lone ? " Corner" : " Back-Row";
        else
            text += std::string(" ") + kOrdinals[std::min<std::size_t>(row - 1, 4)] + "-Row";
    } else if (!a.camp.count(from)) {
        text += " Outpost";
    }
    if (jump == 1) {
        const int reach =
            std::max(std::abs(ColumnOf(from) - ColumnOf(to)), std::abs(RowOf(from) - RowOf(to)));
        text += reach > 2 || ManhattanDistance(from, to) > 4 ? " Jump-Chain" : " Jump";
    }
    return text;
}

class BookMaker {
  public:
    BookMaker(const GameState& start, const BookOptions& options)
        : options_(options),
          start_(std::make_unique<GameState>(start)),
          game_(std::make_unique<GameState>(start)),
          search_(std::make_unique<SearchState>()),
          e_{*game_, *search_, settings_, clock_, random_} {
        settings_.UseDepth = 1;
        settings_.SearchDepth = options.depth;
        settings_.Handicap = 0;
        settings_.ShowCalculation = 0;
        search_->noiseAmplitude = 0;
        game_->faultReport = &faultReport_;
    }

    // Every line of the tree from the start position, expanded, moves with their markers.
    std::vector<std::string> Grow() {
        lines_.clear();
        Grow(*start_, "", 0);
        return lines_;
    }
    int searched() const { return static_cast<int>(known_.size()); }

  private:
    void Grow(const GameState& g, const std::string& path, int ply) {
        if (ply >= options_.plies) {
            if (!path.empty()) lines_.push_back(path);
            return;
        }
        const std::vector<Choice> choices = Choose(g, ply < options_.branchPlies);
        if (choices.empty()) {
            if (!path.empty()) lines_.push_back(path);
            return;
        }
        const char marker = g.side == kWhite ? 'w' : 'b';
        for (const Choice& c : choices) {
            auto next = std::make_unique<GameState>(g);
            if (!PlayBookMove(*next, c.move)) continue;
            const std::string unit = c.move + marker;
            Grow(*next, path + unit, ply + 1);
            for (int w = 1; w < c.weight; ++w)
                lines_.push_back(path + unit);
        }
    }

    // One search without a window for the best move, then a null-window test of every
    // other move against the best score less the margin.
    std::vector<Choice> Choose(const GameState& position, bool alternatives) {
        const std::string key = SetupText(position.board) + (position.side == kWhite ? "w" : "b") +
                                (alternatives ? "+" : "");
        if (auto it = known_.find(key); it != known_.end()) return it->second;
        const auto started = std::chrono::steady_clock::now();
        GameState& g = *game_;
        g = position;
        g.faultReport = &faultReport_;
        RootSearchLimits limits;
        limits.depth = options_.depth;
        std::vector<Choice> choices;
        if (SearchPosition(e_, limits)) {
            const int best = search_->bestScore;
            const int bar = best - options_.margin;
            choices.push_back({MoveName(g.movePool[0]), best, alternatives ? 3 : 1});
            std::set<std::string> seen{choices[0].move};
            std::vector<Choice> close;
            for (int i = 1; alternatives && i < search_->rootCount; ++i) {
                const std::string name = MoveName(g.movePool[i]);
                if (!seen.insert(name).second) continue;
                if (ScoreRootMove(i, bar - 1, bar) < bar) continue;
                const int score = std::min(best, ScoreRootMove(i, bar - 1, best + 1));
                if (score >= bar) close.push_back({name, score, 1});
            }
            std::stable_sort(close.begin(), close.end(),
                             [](const Choice& a, const Choice& b) { return a.score > b.score; });
            for (Choice& c : close) {
                if (static_cast<int>(choices.size()) >= options_.width) break;
                const int behind = best - c.score;
                c.weight = 3 * behind <= options_.margin       ? 3
                           : 3 * behind <= 2 * options_.margin ? 2
                                                               : 1;
                choices.push_back(c);
            }
        }
        known_[key] = choices;
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        std::string text;
        for (const Choice& c : choices)
            text +=
                " " + c.move + "(" + std::to_string(c.score) + "x" + std::to_string(c.weight) + ")";
        std::fprintf(stderr, "book: ply %d, %zu positions, %.1f s:%s\n", position.gamePly,
                     known_.size(), seconds, text.c_str());
        return choices;
    }

    // Root move i searched to the book's depth with the window (alpha, beta), as the
    // root search does it; a move that repeats a position is worth a draw.
    int ScoreRootMove(int i, int alpha, int beta) {
        GameState& g = *game_;
        SearchState& s = *search_;
        s.extensionLimit = settings_.ExtendedPlies + options_.depth;
        g.searchStopped = false;
        g.cancelRequest = CancelRequest::None;
        if (!PerformMove(g, i)) return -kWinScore;
        s.repetitionCount = 0;
        CountRepetitions(g, s, s.searchStartPly - 1);
        int v = -AlphaBeta(e_, -beta, -alpha, options_.depth - 1);
        if (s.repetitionCount != 0) v = 0;
        s.repetitionCount = 0;
        TakeBackMove(g, i);
        return v;
    }

    BookOptions options_;
    std::unique_ptr<GameState> start_;
    std::unique_ptr<GameState> game_;  // the position being searched
    std::unique_ptr<SearchState> search_;
    Settings settings_;
    SilentUi ui_;
    UiFaultReport faultReport_{ui_};
    SystemClock clock_;
    SystemRandom random_;
    Engine e_;
    std::map<std::string, std::vector<Choice>> known_;  // transpositions are searched once
    std::vector<std::string> lines_;
};

// Names for the first move and for each reply to it, after their shapes; a shape that
// two moves share is told apart by the move.
std::vector<std::string> NameLines(const GameState& start, const std::vector<std::string>& lines) {
    const CampAxis axes[2] = {AxisOf(start, 0), AxisOf(start, 1)};
    std::vector<std::string> names;
    std::set<std::string> used;
    std::map<std::string, std::string> named;  // prefix -> name
    for (const std::string& line : lines) {
        auto g = std::make_unique<GameState>(start);
        std::string prefix;
        for (std::size_t at = 0; at + 4 <= line.size() && at < 10; at += 5) {
            const std::string move = line.substr(at, 4);
            const int side = g->sideIndex();
            int jump = 0;
            if (!PlayBookMove(*g, move, &jump)) break;
            prefix += (prefix.empty() ? "" : " ") + move;
            if (named.count(prefix)) continue;
            const std::string shape = MoveShape(axes[side], move, jump);
            std::string name =
                at == 0 ? shape + " Opening" : named[prefix.substr(0, 4)] + ", " + shape + " Reply";
            if (!used.insert(name).second) {
                name += " (" + move + ")";
                used.insert(name);
            }
            named[prefix] = name;
            names.push_back(prefix + "'" + name + "'");
        }
    }
    return names;
}

// The tree written with leading blanks for the units a line shares with the one before
// it; the last unit of a line is always written, so that the look-up proposes it.
std::string SectionText(const GameState& start, const std::vector<std::string>& lines) {
    std::string text = "Variant=" + start.defined.name + "\r\n";
    text += "Setup=" + SetupText(start.initialBoard) + "\r\n";
    for (int f = 0; f < kRuleFlagCount; ++f)
        text +=
            std::string(kRuleFlagKeys[f]) + "=" + std::to_string(start.active.flags[f]) + "\r\n";
    text += "PromoW=" + HomeSquaresText(start.defined.home[0]) + "\r\n";
    text += "PromoB=" + HomeSquaresText(start.defined.home[1]) + "\r\n";
    text += "WhiteManMovement=" + start.active.directions[0] + "\r\n";
    text += "BlackManMovement=" + start.active.directions[1] + "\r\n";
    text += "start\r\n";
    std::string previous;
    for (const std::string& line : lines) {
        std::size_t shared = 0;
        while (shared + 5 < line.size() && shared + 5 <= previous.size() &&
               line.compare(shared, 5, previous, shared, 5) == 0)
            shared += 5;
        text += std::string(shared, ' ') + line.substr(shared) + "\r\n";
        previous = line;
    }
    text += "names\r\n";
    for (const std::string& name : NameLines(start, lines))
        text += name + "\r\n";
    text += "end\r\n";
    return text;
}

// The lines of the book file the section goes into: none when there is no file yet,
// nothing at all when a file is there that cannot be read to its end as a book, so that it
// is never replaced by less than it held.
std::optional<std::vector<std::string>> ExistingBook(const std::filesystem::path& file,
                                                     std::string* problem) {
    std::vector<std::string> lines;
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(file, error))) return lines;
    LineReader in(file);
    if (!in.is_open()) {
        *problem = "cannot be read";
        return std::nullopt;
    }
    while (auto line = in.Next())
        lines.push_back(std::move(*line));
    if (in.failed()) {
        *problem = "cannot be read";
        return std::nullopt;
    }
    if (!lines.empty() && lines[0].rfind(kFileSignature, 0) != 0) {
        *problem = "is not a book file";
        return std::nullopt;
    }
    return lines;
}

// The book file with the variant's section replaced, or added when it has none.
std::string MergedBook(const std::vector<std::string>& lines, const std::string& variant,
                       const std::string& section) {
    std::string book = std::string(kFileSignature) + kDataVersion + "\r\n";
    bool replaced = false;
    bool first = true, skipping = false;
    for (const std::string& line : lines) {
        if (first) {
            first = false;
            if (line.rfind(kFileSignature, 0) == 0) continue;
        }
        if (line.rfind("Variant=", 0) == 0) {
            skipping = line.substr(8) == variant;
            if (skipping) {
                book += section;
                replaced = true;
            }
        }
        if (!skipping) book += line + "\r\n";
        if (line == "end") skipping = false;
    }
    if (!replaced) book += section;
    return book;
}

int MakeBook(const CliContext& context) {
    BookOptions options;
    const auto& args = context.args;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        bool ok = hasValue;
        if (arg == "--variant" && hasValue)
            ok = ParseNumber(args[++i], 1, 255, options.variant);
        else if (arg == "--depth" && hasValue)
            ok = ParseNumber(args[++i], 1, 20, options.depth);
        else if (arg == "--plies" && hasValue)
            ok = ParseNumber(args[++i], 1, 40, options.plies);
        else if (arg == "--margin" && hasValue)
            ok = ParseNumber(args[++i], 0, 1000, options.margin);
        else if (arg == "--width" && hasValue)
            ok = ParseNumber(args[++i], 1, 3, options.width);
        else if (arg == "--branch-plies" && hasValue)
            ok = ParseNumber(args[++i], 0, 40, options.branchPlies);
        else if (arg == "--out" && hasValue)
            options.out = args[++i];
        else
            ok = false;
        if (!ok) {
            std::fprintf(stderr, "book: bad argument '%s'\n", arg.c_str());
            return 2;
        }
    }
    const std::filesystem::path out = options.out.empty()
                                          ? std::filesystem::path(context.dataDir) / kBookFileName
                                          : std::filesystem::path(options.out);

    HeadlessGameUi ui;
    SystemClock clock;
    SystemRandom random;
    GameController controller(ui, clock, random, context.dataDir);
    controller.SelectVariant(options.variant);
    if (controller.variantFileMissing() ||
        ListVariantNames(context.dataDir, false).size() < static_cast<size_t>(options.variant)) {
        std::fprintf(stderr, "book: variant %d is not in the variant file\n", options.variant);
        return 1;
    }
    std::string problem;
    const std::optional<std::vector<std::string>> existing = ExistingBook(out, &problem);
    if (!existing) {
        std::fprintf(stderr, "book: %s %s; it is left as it is\n", out.string().c_str(),
                     problem.c_str());
        return 1;
    }
    controller.NewGameCommand(false);
    auto start = std::make_unique<GameState>(controller.game());
    start->faultReport = nullptr;
    InitGameTree(*start);

    const auto began = std::chrono::steady_clock::now();
    BookMaker maker(*start, options);
    const std::vector<std::string> lines = maker.Grow();
    const std::string section = SectionText(*start, lines);
    if (!WriteFileSafely(out, MergedBook(*existing, start->defined.name, section))) {
        std::fprintf(stderr, "book: cannot write %s%s\n", out.string().c_str(),
                     IsWriteProtected(out) ? ": it is write-protected" : "");
        return 1;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    std::printf("%s: %zu lines, %d positions searched at depth %d, %.0f s\n",
                start->defined.name.c_str(), lines.size(), maker.searched(), options.depth,
                seconds);
    return 0;
}

const CliCommand registration(
    "book",
    "[--variant N] [--depth N] [--plies N] [--margin N] [--width N] "
    "[--branch-plies N] [--out FILE]  (grows the variant's book section with the search)",
    MakeBook);

}  // namespace
}  // namespace zelkor::cli
