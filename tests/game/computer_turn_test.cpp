// The computer's move and analysis as told: status, lists, progress, draws, the end, the graph.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "../engine/engine_fixture.h"
#include "controller_fixture.h"
#include "engine/driver.h"
#include "game/master_play.h"
#include "game/score_graph.h"
#include "rules/make_move.h"
#include "rules/movegen.h"

namespace zelkor::test {
namespace {

// The controller with a book that proposes what the test says.
class BookController : public GameController {
  public:
    using GameController::GameController;
    std::pair<int, int> BookMove(bool fromGames) override {
        bookLookups.push_back(fromGames);
        return bookMove;
    }
    std::pair<int, int> bookMove{0, 0};
    std::vector<bool> bookLookups;
};

class ComputerTurn : public ControllerTest {
  protected:
    void SetUp() override {
        ControllerTest::SetUp();
        auto turn = std::make_unique<BookController>(ui, clock, random, dir.path());
        book = turn.get();
        controller = std::move(turn);
        controller->StartUp();
        std::tie(settings().UseDepth, settings().SearchDepth) = std::tuple(1, 2);
        settings().ChessDrawRules = 0;  // the positions come without their history
    }
    void Position(const VariantRules& rules, const std::string& setup, int side, int gamePly) {
        SetUpPosition(g(), rules, setup, side, gamePly);
        g().gameOver = false;
        ui.messages.clear();
        ui.statusHistory.clear();
    }
    Settings& settings() { return c().settings(); }
    SearchState& s() { return c().search(); }
    static std::string Column(int value, size_t width) {
        const std::string text = std::to_string(value);
        return std::string(width - text.size(), ' ') + text;
    }

    BookController* book = nullptr;
};

// Master's result replaces the levels' (its move first, the others in order), score and reply.
TEST_F(ComputerTurn, MasterResultTakesTheLevelsPlace) {
    const std::vector<Move> moves = LegalMoves(g());
    for (int best : {2, 0}) {
        std::copy(moves.begin(), moves.end(), g().movePool.begin());
        s().rootCount = static_cast<int>(moves.size());
        SearchResult result{.best = moves[best],
                            .score = 40 + best,
                            .depth = 5,
                            .mainLine = {{moves[best].Source, moves[best].dest, 0}}};
        if (best) result.mainLine.push_back({85, 74, 0});  // a line of one move expects no reply
        s().rootTable[best].upperBound = true;             // as a level's search left it: now exact
        s().rootTable[3].score = 7;                        // after the moved ones: stays
        ApplyMasterResult(g(), s(), result, false);
        EXPECT_EQ(
            std::tuple(g().movePool[0].dest, g().movePool[1].dest, g().movePool[2].dest,
                       g().movePool[3].dest, s().bestScore, s().rootTable[0].score, s().hintFrom,
                       s().hintTo, s().bestLine[1].Source, s().rootTable[0].upperBound, g().timeUp,
                       s().rootTable[3].score, s().rootTable[0].depth),
            std::tuple(moves[best].dest, moves[best ? 0 : 1].dest, moves[best ? 1 : 2].dest,
                       moves[3].dest, 40 + best, 40 + best, best ? 85 : 0, best ? 74 : 0,
                       best ? 85 : 0, false, false, 7, 5));  // a short line: no reply
    }
}

// The best move first with its score; the others only shown no better carry a bound.
TEST_F(ComputerTurn, AnalysisListPutsTheBestFirstAndMarksBounds) {
    settings().SearchDepth = 3;
    // Noise makes a null-window test and its re-search disagree now and then.
    std::mt19937 rng(3);
    for (int k = 0; k < 200000; ++k)
        random.values.push_back(rng() / 4294967296.0);
    c().AnalyzeCommand();
    const std::vector<std::string>& lines = ui.list(ListId::Analysis);
    ASSERT_EQ(lines.size(), 24u);
    const RootEntry& best = s().rootTable[0];
    const std::string move = SquareName(best.from) + SquareName(best.to);
    EXPECT_EQ(lines[0].substr(0, 34),
              "       " + move + Column(s().bestScore, 9) + "       3    " + move.substr(0, 2));
    int bounds = 0, below = 0;  // each move with its own score
    for (size_t i = 1; i < lines.size(); ++i) {
        std::string score = lines[i].substr(11, 9);
        if (score.find("<=") != std::string::npos) {
            ++bounds;
            score.erase(score.find("<="), 2);
        }
        EXPECT_LE(std::stoi(score), s().bestScore) << lines[i];
        below += std::stoi(score) < s().bestScore;
    }
    EXPECT_TRUE(bounds > 0 && below > 0);
}

TEST_F(ComputerTurn, FixedTimeStopsInsideTheSearchAndStillPlays) {
    std::tie(settings().UseDepth, settings().FixedTime, settings().ThinkTime,
             settings().CountdownTimer) = std::tuple(0, 1, 2, 1);
    clock.tick = 0.0005;
    ui.SetText(D::Strength, "");
    int shown = 0;        // the seconds gone, on the progress bar,
    std::string counted;  // and those left, counted down
    ui.onProcessEvents = [&] {
        shown = std::max(shown, ui.progressValue);
        const std::string left = Text(D::Countdown);
        if (!left.empty() && (counted.empty() || counted.back() != left.back())) counted += left;
    };
    c().ComputeCommand();
    EXPECT_EQ(
        std::tuple(ui.progressMaximum, shown, counted, g().timeUp, g().searchStopped, g().gamePly),
        std::tuple(2, 2, "210", 1, 1, 1));
    EXPECT_TRUE(s().depthReached >= 1 && s().depthReached < 20);
    EXPECT_EQ(Text(D::Strength), "");  // only depth mode rewrites it
    settings().UseDepth = 1;           // the next computation starts with its time not up
    c().ComputeCommand();  // its score and root moves kept for the graph and the draw offers,
    EXPECT_EQ(std::tuple(g().timeUp, g().gamePly, s().scoreHistory[2], s().rootMoveCounts[2],
                         ui.list(ListId::Analysis).size(), Text(D::Strength),
                         Text(D::Calculation)),  // and listed
              std::tuple(0, 2, s().bestScore, 24, size_t{24}, "Strength: 9   Depth: 2 ply",
                         "Depth: 2   Best: a7xc5   Score: 18\r\nMain: a7xc5 g1xe3 "));
}

TEST_F(ComputerTurn, BookMoveAmongTheRootMovesIsPlayed) {
    settings().UseBook = 1;
    settings().BookFromGames = 0;
    book->bookMove = {Sq("e1"), Sq("d2")};
    c().ComputeCommand();
    EXPECT_EQ(std::tuple(g().board[Sq("d2")], g().gameMoveLines.at(0), book->bookLookups),
              std::tuple(kWhiteMan, "   1. e1-d2b", std::vector<bool>{false}));  // zelkor.bok
    EXPECT_NE(Text(D::Calculation).find("\r\nBook"), std::string::npos);

    // A proposal that is no legal move is dropped (here one of the book games).
    Position(DefaultRules(), kDefaultSetup, kWhite, 0);
    book->bookMove = {Sq("e1"), Sq("e5")};
    settings().BookFromGames = 1;
    c().ComputeCommand();
    EXPECT_NE(g().gameMoveLines.at(0).back(), 'b');
    EXPECT_EQ(book->bookLookups, (std::vector<bool>{false, true}));
}

// A level score proposes a draw, at most once in 41 plies, never after announcing a win.
TEST_F(ComputerTurn, DrawProposalsAndTheirAnswers) {
    // (last offer, lost, mode, answer, score 78 plies before (0: none), questions, drawn)
    const std::tuple<int, bool, PlayMode, Answer, int, int, bool> cases[] = {
        {60, false, PlayMode::PlayerComputer, Answer::No, 0, 1, false},
        {61, false, PlayMode::PlayerComputer, Answer::No, 0, 0, false},
        {60, false, PlayMode::PlayerComputer, Answer::No, 5000, 0, false},  // no longer level
        {60, false, PlayMode::PlayerComputer, Answer::Yes, 0, 1, true},
        {60, false, PlayMode::ComputerComputer, Answer::No, 0, 0, true},
        {60, true, PlayMode::PlayerComputer, Answer::No, 0, 0, false}};
    const std::string lost =
        SetupOf("A1 B1 C1 D1 A2 B2 C2 D2 A3 B3", "E1 F1 G1 H1 F2 G2 H2 G3 H3 H5");
    settings().AskDraw = 1;
    for (auto [lastOffer, announced, mode, answer, earlier, questions, drawn] : cases) {
        settings().SearchDepth = announced ? 2 : 1;
        Position(DefaultRules(), announced ? lost : kDefaultSetup, kWhite, 100);
        g().playMode = mode;
        s().scoreHistory[101 - kStableScorePlies] = static_cast<int16_t>(earlier);
        s().stableScoreCounter = 2;
        s().lastDrawOfferPly = lastOffer;
        random.fallback = mode == PlayMode::ComputerComputer ? 0.05 : 0.0;
        ui.answers = {answer};
        c().ComputeCommand();
        const int asked = std::count_if(ui.messages.begin(), ui.messages.end(), [](auto& m) {
            return m.text == "How about a draw?" && m.title == "Question" &&
                   m.buttons == Buttons::YesNo && m.icon == Icon::Question;
        });
        EXPECT_EQ(std::tuple(asked, g().gameOver, s().announced),
                  std::tuple(questions, drawn, announced));
        if (!drawn) continue;
        EXPECT_TRUE(Text(D::Status) == "It's a draw!" && Told("Congratulations", "It's a draw!"));
    }
    Position(DefaultRules(), SetupOf("A1", "A2 B1 B2 A3 C1 D3"), kBlack, 20);  // d3-c3 shuts a1 in
    settings().SearchDepth = 4;
    c().ComputeCommand();
    EXPECT_TRUE(g().gameOver && Text(D::Status) == "Computer wins!") << Text(D::Status);
}

TEST_F(ComputerTurn, AnalysisLeavesTheGameAsItWasAndNeverRates) {
    // One ply stepped back: the record goes on beyond GamePly.
    Position(DefaultRules(), kDefaultSetup, kBlack, 1);
    g().recordLength = 2;
    g().gameRecord[1] = Move{28, 46, 1, 0};
    g().gameRecord[2] = Move{61, 62, 0, 0};
    const Board board = g().board;
    settings().SearchDepth = 3;
    settings().UseBook = 1;
    settings().BookFromGames = 1;  // only the book file is asked
    const int rating = c().rating();
    ui.progressValues = {1};
    c().AnalyzeCommand();
    EXPECT_EQ(std::pair(g().board, ui.progressValues[1]),
              std::pair(board, 0));  // the bar starts empty
    EXPECT_EQ(std::tuple(g().side, g().gamePly, g().recordLength, g().gameRecord[2].dest,
                         s().depthReached),
              std::tuple(kBlack, 1, 2, 62, 3));
    EXPECT_TRUE(c().rating() == rating && !g().rated && g().gameMoveLines.empty());
    EXPECT_FALSE(g().gameOver || ui.list(ListId::Analysis).empty() || !ui.messages.empty());
    settings().BookFromGames = 0;
    c().AnalyzeCommand();
    EXPECT_EQ(book->bookLookups, std::vector<bool>{false});  // the first asked no book games

    // Cancelled before its first move is searched, an analysis lists nothing.
    ui.onProcessEvents = [&] { c().CancelCommand(); };
    c().AnalyzeCommand();
    ui.onProcessEvents = nullptr;
    EXPECT_EQ(ui.list(ListId::Analysis).size(), 0u);

    // A single legal move keeps the depth setting and is listed.
    Position(DefaultRules(), kOneMove, kWhite, 0);
    settings().SearchDepth = 4;
    c().AnalyzeCommand();
    EXPECT_EQ(std::tuple(s().depthReached, settings().SearchDepth, g().board[Sq("a1")],
                         ui.list(ListId::Analysis).size()),
              std::tuple(1, 4, kWhiteMan, 1u));
    c().Forward();  // nothing to go forward to, but the emptied list is no more to choose from
    EXPECT_EQ(Enabled({C::AnalysisList}), "0");
    // A repetition played with the draw rules off is told once they are on; analysis ends no game.
    settings().ChessDrawRules = 1;
    g().drawFlag = DrawKind::Repetition;
    c().AnalyzeCommand();
    EXPECT_EQ(
        std::tuple(g().gameOver, Shown(ui.messages.back()), Text(D::Status), Enabled({C::Compute})),
        std::tuple(false, "Congratulations: It's a draw! Triple Repetition",
                   "It's a draw! Triple Repetition", "1"));
    // The computer's move that repeats a position a third time ends the game, told once.
    Position(DefaultRules(), kOneMove, kWhite, 20);
    Board after = g().board;
    std::swap(after[Sq("a1")], after[Sq("c3")]);
    g().positionHistory[5] = g().positionHistory[9] = MakePositionKey(after);
    c().ComputeCommand();
    EXPECT_EQ(std::tuple(g().gameOver, ui.messages.size(), Text(D::Status)),
              std::tuple(true, 1u, "It's a draw! Triple Repetition"));
    // A won game: the computer's move ends it; an analysis tells, ends nothing, gives back all.
    std::string ends;
    for (auto command : {&GameController::AnalyzeCommand, &GameController::ComputeCommand}) {
        Position(DefaultRules(), kWhiteFilled, kBlack, 31);
        (c().*command)();
        ends += std::to_string(g().gameOver) + std::to_string(g().busy) + Text(D::Status) + "|";
    }
    EXPECT_EQ(ends, "00Computer wins!|10Player wins!|");
    Position(DefaultRules(), SetupOf("A1", "A2 B1 B2 A3 C1 C3 H8"), kWhite, 20);  // no move
    clock.pauses.clear();  // the board shown a moment before the box
    c().AnalyzeCommand();
    EXPECT_EQ(std::tuple(g().gameOver, Text(D::Status), clock.pauses),
              std::tuple(false, "Player wins!", std::vector<double>{0.5}));
}

// A game of `plies` half-moves; the computer made those in `computer`, with these scores.
struct Recorded {
    std::unique_ptr<GameState> g = std::make_unique<GameState>();
    SearchState s;

    Recorded(int plies, std::initializer_list<std::pair<int, int>> computer) {
        g->recordLength = g->gamePly = plies;
        for (int ply = 1; ply <= plies; ++ply) {
            MoveTextRow& row = g->moveTexts[(ply + 1) / 2];
            (ply % 2 ? row.firstBy : row.secondBy).assign(1, '2');
        }
        for (auto [ply, score] : computer) {
            MoveTextRow& row = g->moveTexts[(ply + 1) / 2];
            (ply % 2 ? row.firstBy : row.secondBy).assign(1, '1');
            s.scoreHistory[ply] = static_cast<int16_t>(score);
        }
    }
    // "ply:score" per point, with c for clipped and d for decisive.
    std::string Points() const {
        std::string text;
        for (const ScoreGraphPoint& p : MakeScoreGraph(*g, s).points)
            text += std::to_string(p.ply) + ":" + std::to_string(p.score) + (p.clipped ? "c" : "") +
                    (p.decisive ? "d" : "") + " ";
        return text;
    }
};

TEST(ScoreGraph, OnePointPerComputerMoveSeenFromWhite) {
    Recorded r(6, {{2, 40}, {4, -120}, {6, 0}});
    const ScoreGraphData data = MakeScoreGraph(*r.g, r.s);
    // White begins, so the computer's even plies are Black's: its scores change sign.
    EXPECT_EQ(r.Points(), "2:-40 4:120 6:0 ");
    EXPECT_EQ(std::tuple(data.plies, data.currentPly, data.points[0].side, data.range),
              std::tuple(6, 6, kBlack, 200));  // the largest score, rounded up to hundreds
    r.g->active.flags[BlackStarts] = 1;        // then the even plies are White's
    EXPECT_EQ(r.Points(), "2:40 4:-120 6:0 ");
    r.g->recordLength = 4;  // the record ends there, whatever the move list still holds
    EXPECT_EQ(r.Points(), "2:40 4:-120 ");

    Recorded wins(5, {{1, 301}, {3, 31990}, {5, -31995}});
    EXPECT_EQ(wins.Points(), "1:301 3:400cd 5:-400cd ");
    EXPECT_EQ(MakeScoreGraph(*wins.g, wins.s).range, 400);  // decisive scores do not stretch it
    Recorded wild(1, {{1, 20000}});
    EXPECT_EQ(wild.Points(), "1:" + std::to_string(kGraphMaxRange) + "c ");
    EXPECT_EQ(MakeScoreGraph(*Recorded(0, {}).g, SearchState{}).range, kGraphMinRange);
    EXPECT_EQ(Recorded(kMaxGamePlies, {{kMaxGamePlies, 10}}).Points(), "1000:-10 ");  // the last

    Recorded mixed(4, {{2, 60}});
    mixed.g->moveTexts[2].secondBy.assign(1, '3');  // replayed from a file
    mixed.s.scoreHistory[4] = 500;
    EXPECT_EQ(mixed.Points(), "2:-60 ");
    mixed.g->recordLength = 100000;  // corrupt lengths stay inside the tables
    mixed.g->gamePly = -5;
    const ScoreGraphData corrupt = MakeScoreGraph(*mixed.g, mixed.s);
    EXPECT_EQ(std::tuple(corrupt.plies, corrupt.currentPly), std::tuple(kMaxGamePlies, 0));
}

}  // namespace
}  // namespace zelkor::test
