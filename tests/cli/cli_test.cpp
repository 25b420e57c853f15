// zelkor-cli's commands, every argument it refuses, and the programs in the build folder.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>

#include "app/system_services.h"
#include "game/match.h"
#include "support/fakes.h"

namespace zelkor::test {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    std::string out;
    int status = -1;
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        std::istringstream in(out);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
};

// The command's standard output and exit status.
CliRun RunShell(const std::string& command) {
    CliRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.out.append(buffer, n);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

// zelkor-cli; stderr is discarded unless `withErrors` asks for it after stdout.
CliRun RunCli(const std::string& arguments, bool withErrors = false) {
    return RunShell(std::string(ZELKOR_CLI_PATH) + " " + arguments +
                    (withErrors ? " 2>&1" : " 2>/dev/null"));
}

std::string Quoted(const fs::path& path) {
    std::string quoted(1, '\'');  // built in steps: "'" + ... trips a GCC 12 warning
    quoted += path.string();
    quoted += '\'';
    return quoted;
}

// The option that points zelkor-cli at the shipped data folder.
std::string Shipped() {
    return "--data-dir " + Quoted(ShippedDataDir()) + " ";
}

TEST(Cli, MovesAndPerftOfTheStartAndOfAGameFile) {
    const auto moves = RunCli("moves");  // in generation order
    EXPECT_EQ(std::tuple(moves.status, moves.out.substr(0, 18), moves.Lines().size()),
              std::tuple(0, "e1-d2\ne1-e2\ne1-d1\n", 24u));
    EXPECT_TRUE(Has(moves.out, "\nh1xf3\n"));
    const auto perft = RunCli("perft 3", true);  // counts per root move, the total, the speed
    EXPECT_EQ(std::tuple(perft.status, perft.out.substr(0, 11)), std::tuple(0, "e1-d2: 866\n"));
    EXPECT_TRUE(Has(perft.out, "\n\nNodes searched: 20050\nTime: ") && !Has(perft.out, "d: 0 "));
    // bench: a line per position, then the node and time totals; nodes change only on purpose.
    const auto bench = RunCli("bench");
    double sums[2] = {0, 0}, totals[2] = {0, 0};
    unsigned long long nodes = 0;
    for (const std::string& line : bench.Lines()) {
        double seconds[2];
        if (line.rfind("total ", 0) == 0)
            std::sscanf(line.c_str(), "total %llu %lf %lf", &nodes, &totals[0], &totals[1]);
        else if (std::sscanf(line.c_str() + 26, "%*d %*u %lf %lf", &seconds[0], &seconds[1]) == 2)
            sums[0] += seconds[0], sums[1] += seconds[1];
    }
    EXPECT_EQ(nodes, 3480477u) << bench.out;
    EXPECT_TRUE(std::abs(totals[0] - sums[0]) < 0.01 && std::abs(totals[1] - sums[1]) < 0.01 &&
                totals[1] > 0 && totals[1] < totals[0] + 0.05)
        << bench.out;  // one thread's processor time cannot run ahead of the wall clock

    TempDir dir;
    const std::string header = "ZELKOR Version=0.10\r\nVariant=1\r\nSTART\r\nh1f3\r\n";
    WriteFile(dir / "g.zlk", header + "d8e7\r\n");
    WriteFile(dir / "bad.zlk", header + "d8d5\r\n");
    const std::string file = Quoted(dir / "g.zlk");
    const auto after = RunCli("moves " + file);  // h1 has moved
    EXPECT_TRUE(after.status == 0 && !Has(after.out, "h1xf3") && Has(after.out, "\nf3-e4\n"));
    EXPECT_TRUE(Has(RunCli("perft 1 " + file).out,
                    "Nodes searched: " + std::to_string(after.Lines().size()) + "\n"));
    EXPECT_EQ(RunCli("moves " + Quoted(dir / "bad.zlk")).status, 1);
    // A file that stops loading early is no position to work on.
    WriteFile(dir / "cut.zlk", header + "{\r\nd8e7\r\n");
    const auto cut = RunCli("moves " + Quoted(dir / "cut.zlk"), true);
    EXPECT_EQ(cut.status, 1);
    EXPECT_EQ(cut.out, "zelkor-cli: " + (dir / "cut.zlk").string() +
                           ": cut.zlk, line 5: \"{\" could not be read; 1 move was loaded\n");
}

TEST(Cli, AnalyseShowsEachIterationThenTheBestMove) {
    const auto run = RunCli("analyse --depth 3 --noise 0");
    const auto lines = run.Lines();
    ASSERT_EQ(std::tuple(run.status, lines.size()), std::tuple(0, 4u));
    for (int d = 1; d <= 3; ++d)
        EXPECT_TRUE(std::regex_match(lines[d - 1], std::regex("depth " + std::to_string(d) +
                                                              " score .* nodes .* time .* pv "
                                                              "([a-h][1-8][-x][a-h][1-8] ?)+")))
            << lines[d - 1];
    EXPECT_TRUE(std::regex_match(lines[3], std::regex("bestmove [a-h][1-8][a-h][1-8]")));
    EXPECT_EQ(RunCli("analyse --depth 3 --noise 0").Lines()[3], lines[3]);  // repeatable

    const std::string file = std::string(ZELKOR_TEST_DATA_DIR) + "/engine/midgame.zlk";
    const auto game = RunCli("analyse --depth 2 --noise 0 " + Quoted(file));
    ASSERT_EQ(game.Lines().size(), 3u);
    EXPECT_EQ(game.Lines()[2], "bestmove c3e1");  // Black's reply after 21 plies
    for (const char* command : {"analyse --depth 2", "analyse --time 1", "perft 2"})
        EXPECT_EQ(RunCli(std::string(command) + " /no/such/game.zlk").status, 1);
    const auto master = RunCli("analyse --master 1 --depth 2");
    EXPECT_EQ(std::tuple(master.status, master.Lines().back()), std::tuple(0, "bestmove h1f3"));
    EXPECT_TRUE(std::regex_match(master.Lines()[1], std::regex("depth 2 score -?\\d+ time [.0-9]+ "
                                                               "pv h1f3 [a-h][1-8][a-h][1-8]")))
        << master.out;
    // eval: the raw score and the evaluation without noise, for the side to move.
    EXPECT_EQ(RunCli("eval").out, "raw 0\nevaluate 0\n");
    const auto eval = RunCli("eval " + Quoted(file));
    EXPECT_EQ(std::tuple(eval.status, eval.out), std::tuple(0, "raw 250\nevaluate 250\n"));
}

TEST(Cli, SelfPlayPlaysEachGameToItsEnd) {
    const auto run = RunCli(
        Shipped() + "selfplay --games 2 --depth 1 --variant 2 --seed 0 --book white --strength 10");
    ASSERT_EQ(run.status, 0) << run.out;  // at full strength, without noise: a seed's game
    EXPECT_EQ(run.out.find("game 1: Orthogonal Halma: draw after 83 plies"), 0u) << run.out;
    for (const char* part : {"\ngame 2: Orthogonal Halma: ", "\ntotal: 2 games, White ",
                             "\nBlack: book off, 0 book moves, "})
        EXPECT_TRUE(Has(run.out, part));
    for (const char* part : {"unfinished after", "\nWhite: book on, 0 book moves"})
        EXPECT_FALSE(Has(run.out, part));
    // Each side's thinking, whole and in the opening, from nothing: a depth-1 game takes < 1 s.
    const std::regex spent(
        "(White|Black): book o[nf]+, \\d+ book moves, 0\\.\\d\\d s thinking, "
        "0\\.\\d\\d s in the first 16 plies\n");
    EXPECT_EQ(std::distance(std::sregex_iterator(run.out.begin(), run.out.end(), spent), {}), 2)
        << run.out;
}

// A short match (A is Master unless told): pairs of games, saved and legal, the tally and the Elo.
TEST(Cli, MatchPlaysEachOpeningTwiceAndEndsWithTheElo) {
    TempDir dir;
    const auto run = RunCli(Shipped() +
                            "match --a 10 --depth 1 --b master --time 0.02 --threads 2 --games 1 "
                            "--variant 2 --seed 3 --sprt 0 10 0.05 0.1 --save " +
                            Quoted(dir / "m.zlk"));
    ASSERT_EQ(run.status, 0) << run.out;
    const auto lines = run.Lines();
    ASSERT_GE(lines.size(), 4u);
    for (const char* part :
         {", 2 games, seed 3\ngame 1: A White: ", "\ngame 2: A Black: ",
          "\ndraws by the move rule or the ply limit: ", "\nsprt: llr ", " (bounds -2.25 2.89) "})
        EXPECT_TRUE(Has(run.out, part));
    // Master, not the level, leaves no man in its camp (orthogonal games pass 30 moves); a game
    // names men left; Master's speed is measured.
    EXPECT_TRUE(Has(run.out, "after its 30th move 0\n") && !Has(run.out, "30th move: 0;") &&
                !Has(run.out, "master: 0 nodes/s"));
    EXPECT_TRUE(std::regex_match(lines.back(),
                                 std::regex("level 10\\(depth 1\\) vs master\\(0.02s,2t\\): "
                                            "games 2 \\+\\d =\\d -\\d score "
                                            "[01]\\.\\d{3} elo -?\\d+\\.\\d \\+/- \\d+\\.\\d")))
        << lines.back();
    for (const char* name : {"m-0001.zlk", "m-0002.zlk"})
        EXPECT_EQ(RunCli("moves " + Quoted(dir / name)).status, 0) << name;
    EXPECT_TRUE(Has(ReadFile(dir / "m-0001.zlk"),
                    "Match game 1: level 10(depth 1) (White) against master(0.02s,2t) (Black)"));
    // The seed draws the openings: levels by depth replay a seed's games (two move-rule draws,
    // then an opening that each side wins as A).
    const auto seeded =
        RunShell("cd " + Quoted(dir.path()) + " && " + ZELKOR_CLI_PATH + " " + Shipped() +
                 "match --a 10 --depth 1 --games 3 --seed 0 --variant 3 "
                 "--b-threads 1 --save .zlk");  // a stem that is all ending
    EXPECT_TRUE(fs::exists(dir / ".zlk-0004.zlk"));
    EXPECT_TRUE(Has(seeded.out, "game 1: A White: draw (move rule) after 117 plies; +0 =1 -0\n") &&
                Has(seeded.out, "\ndraws by the move rule or the ply limit: 2\n") &&
                Has(seeded.out, "\ngame 4: A Black: B wins (target filled) after 75 plies"));
    // A man with one step each ply still has its opening played: 9 of the game's 13 plies left.
    std::string file(64, '0');
    file[0] = '1', file[63] = '2';
    WriteFile(dir / "variants.ini",
              "ZELKOR Version=0.10\r\nVariant=File\r\nSetup=" + file +
                  "\r\nPromoW=A8\r\nPromoB=H1\r\nWhiteManMovement=N N\r\nEND\r\n");
    EXPECT_TRUE(Has(RunCli("--data-dir " + Quoted(dir.path()) +
                           " match --a 10 --depth 1 --games 1 --opening-plies 4")
                        .out,
                    "\ngame 1: A White: A wins (target filled) after 9 plies;"));
}

// The executables' clock and random numbers: the C library's time of day, a seeded [0, 1).
TEST(SystemServices, LocalTimeAndSeededRandomNumbers) {
    SystemClock clock;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const double expected = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec;
    const double apart = std::fmod(clock.SecondsSinceMidnight() - expected + 86400.0, 86400.0);
    EXPECT_TRUE(apart < 3 || apart > 86397) << apart;
    // The fraction of the second is the system clock's: it lies between two readings of that.
    const auto fraction = [] {
        const auto epoch = std::chrono::system_clock::now().time_since_epoch();
        return std::fmod(std::chrono::duration<double>(epoch).count(), 1.0);
    };
    const double before = fraction(), mine = std::fmod(clock.SecondsSinceMidnight(), 1.0),
                 after = fraction();
    EXPECT_TRUE(before <= after ? mine > before - 2e-6 && mine < after + 2e-6
                                : mine > before - 2e-6 || mine < after + 2e-6);
    char date[64];
    std::strftime(date, sizeof date, "%x", &local);
    EXPECT_TRUE(clock.DateText() == date || std::time(nullptr) != now);  // unless a day ended
    const auto start = std::chrono::steady_clock::now();  // a pause lasts at least its time
    clock.Pause(-1e9), clock.Pause(0.002);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2));
    SystemRandom a, b;
    for (SystemRandom* r : {&a, &b})
        r->Seed(5);
    for (int i = 0; i < 1000; ++i) {
        const double x = a.Uniform();
        ASSERT_TRUE(x >= 0 && x < 1 && x == b.Uniform()) << i;
    }
}

// Known results in, known figures out: score, Elo, its 95 % error bar, the SPRT and its verdict.
TEST(Match, ScoreEloErrorBarAndSprt) {
    // Wins, draws, losses; score, Elo, error, LLR (elo0 0, elo1 10); decision at alpha = beta = .05
    const std::tuple<int, int, int, double, double, double, double, const char*> rows[] = {
        {30, 40, 30, 0.5, 0, 52.747, -0.0690, ""},
        {60, 20, 20, 0.7, 147.191, 64.853, 1.7337, ""},
        {300, 40, 60, 0.8, 240.824, 39.094, 12.4820, "H1 accepted"},
        {45, 10, 45, 0.5, 0, 64.602, -0.0460, ""},
        {0, 10, 0, 0.5, 0, 0, 0, ""},   // no spread: no error bar, no evidence
        {10, 0, 0, 1, 2400, 0, 0, ""},  // a whole score is taken a millionth inside
        {0, 0, 10, 0, -2400, 0, 0, ""},
    };
    const SprtSettings sprt{.on = true};
    for (const auto& [wins, draws, losses, score, elo, error, llr, decision] : rows) {
        const MatchTally t{wins, draws, losses};
        const auto e = EstimateElo(t);
        const double ratio = SprtLlr(t, 0, 10);
        EXPECT_TRUE(std::abs(e.score - score) < 1e-9 && std::abs(e.elo - elo) < 0.001 &&
                    std::abs(e.error - error) < 0.001 && std::abs(ratio - llr) < 0.0001 &&
                    SprtDecision(sprt, ratio) == decision)
            << wins << ": " << e.score << " " << e.elo << " " << e.error << " " << ratio;
    }
    EXPECT_NEAR(sprt.lower(), -2.944439, 1e-6);
    EXPECT_NEAR(sprt.upper(), 2.944439, 1e-6);
    EXPECT_EQ(SprtDecision(sprt, SprtLlr({30, 40, 30}, 0, 200)), "H0 accepted");
    EXPECT_EQ(SprtDecision(sprt, sprt.upper()) + SprtDecision(sprt, sprt.lower()),
              "H1 acceptedH0 accepted");  // a bound reached decides
    EXPECT_EQ(MatchTally{}.score(), 0.5);

    // A level by depth against one by time on a ticking clock: openings, games and ends pinned.
    FakeClock clock;
    clock.tick = 0.01;
    MatchOptions o;
    std::tie(o.a.depth, o.a.level, o.b.level, o.b.seconds, o.seed, o.games) =
        std::tuple(1, 9, 4, 0.5, 5, 4);  // two openings; each player with its own noise
    o.dataDir = ShippedDataDir().string();
    std::string games;
    const MatchSystem system{clock, [] { return std::make_unique<SystemRandom>(); }};
    const MatchReport report = RunMatch(o, system, [&](const GameOutcome& game, const MatchTally&) {
        games += std::to_string(game.plies) + " " + game.reason + " " +
                 std::to_string(game.result) + ", ";
    });
    EXPECT_EQ(games,
              "67 target filled 1, 70 target filled 1, 81 target filled 1, 60 target filled 1, ");
    EXPECT_EQ(std::tuple(report.tally.wins, report.tally.draws, report.tally.losses),
              std::tuple(4, 0, 0));
}

// A small tree written as a section of its own after the sections already in the file.
TEST(Cli, BookAddsTheVariantsSectionWithNamesToTheBookFile) {
    TempDir dir;
    const std::string out = (dir.path() / "zelkor.bok").string();
    const std::string cli = Shipped() + "book ";
    // Halma by default; a section made again replaces the old one where it stands.
    for (const char* variant : {"", "--variant 2", "--variant 2", ""}) {
        const auto run = RunCli(cli + "--depth 1 --plies 2 --out \"" + out + "\" " + variant);
        ASSERT_EQ(run.status, 0);  // each position searched once, however it is reached
        EXPECT_TRUE(Has(run.out, ": 33 lines, 4 positions searched"));
    }
    const std::string book = ReadFile(out);
    EXPECT_EQ(book.find("ZELKOR Version=0.10\r\nVariant=Halma\r\n"), 0u);
    // The rules (the camps, the men's movement), then each move with its side.
    EXPECT_TRUE(Has(book,
                    "A5\r\nPromoB=E1F1G1H1F2G2H2G3H3H4\r\nWhiteManMovement=NW;N;NE;E;SE;S;SW;W "
                    "NW;N;NE;E;SE;S;SW;W\r\nBlackManMovement=NW;N;NE;E;SE;S;SW;W NW;N;NE;E;SE;S;"
                    "SW;W\r\nstart\r\ng1e3wa7c5b\r\n"));
    // Named after the side of the camp's axis, the camp row left, and the jump.
    for (const char* name :
         {"\r\ng1e3'Left Flank Third-Row Jump Opening'\r\n",
          "\r\nh1f3 a8c6'Centre Corner Jump Opening, Centre Corner Jump Reply'\r\n",
          "\r\nh2f4 b8d6'Right Flank Third-Row Jump Opening, Left Flank Third-Row Jump Reply'\r\n"})
        EXPECT_TRUE(Has(book, name));
    // Behind the best by up to a third of the margin weighs 3, two thirds 2, else 1 (to the bar).
    for (const auto& [limits, choices] :
         {std::pair("3 --margin 40", ": h1f3(0x3) h2f4(0x3) g1e3(-18x2)\n"),  // just behind: exact
          std::pair("2 --margin 27", ": g1e3(54x3) h2f4(54x3) h1f3(36x2)\n"),
          std::pair("2 --margin 18", ": g1e3(54x3) h2f4(54x3) h1f3(36x1)\n")}) {
        const auto run = RunCli(
            cli + "--plies 3 --depth " + limits + " --out " + Quoted(dir / "weights.bok"), true);
        EXPECT_TRUE(Has(run.out, choices));
    }
    const std::regex thirdMoveName("\r\n\\S{4} \\S{4} \\S{4}'");  // only two moves are named
    EXPECT_FALSE(std::regex_search(ReadFile(dir / "weights.bok"), thirdMoveName));
    const auto second = book.find("end\r\nVariant=Orthogonal Halma\r\n");
    ASSERT_NE(second, std::string::npos);
    EXPECT_EQ(book.find("Variant=Orthogonal Halma", second + 10), std::string::npos);
    const std::regex start("\r\nstart\r\n");  // one section for each variant, no old lines left
    EXPECT_EQ(std::distance(std::sregex_iterator(book.begin(), book.end(), start), {}), 2);
    EXPECT_NE(book.find(" Opening'\r\n", second), std::string::npos);
    // A file in the way that is no book, or cannot be read, stays as it was.
    WriteFile(dir / "notes.txt", "my notes\r\n");
    fs::create_directory(dir / "folder.bok");
    for (const char* name : {"notes.txt", "folder.bok"}) {
        const auto run = RunCli(cli + "--branch-plies 40 --out " + Quoted(dir / name), true);
        EXPECT_EQ(run.status, 1) << name;
        EXPECT_TRUE(Has(run.out, "it is left as it is"));
    }
    EXPECT_EQ(ReadFile(dir / "notes.txt"), "my notes\r\n");
    // Lines outside the sections are kept, a stray first line among them.
    WriteFile(dir / "noted.bok",
              "ZELKOR Version=0.10\r\nmy notes\r\nZELKOR Version=0.10\r\n"
              "Variant=Halma\r\nstart\r\nend\r\nafter\r\n");
    EXPECT_EQ(RunCli(cli + "--depth 1 --plies 1 --out " + Quoted(dir / "noted.bok")).status, 0);
    const std::string noted = ReadFile(dir / "noted.bok");
    EXPECT_TRUE(
        noted.find("Version=0.10\r\nmy notes\r\nZELKOR Version=0.10\r\nVariant=Halma\r\n") == 7 &&
        noted.ends_with("end\r\nafter\r\n"));
    // Camps along two edges: a step half a column or row off the camp's middle stays central.
    std::string edges(64, '0');
    edges.replace(0, 6, "111111");  // a1-f1 against h2-h7
    for (int row = 1; row < 7; ++row)
        edges[row * 8 + 7] = '2';
    WriteFile(
        dir / "variants.ini",
        "ZELKOR Version=0.10\r\nVariant=Edges\r\nSetup=" + edges +
            "\r\nPromoW=C8D8\r\nPromoB=A4A5\r\nBlackManMovement=NW;N;NE;E;SE;S;SW;W N\r\nEND\r\n");
    RunCli("--data-dir " + Quoted(dir.path()) + " book --depth 1 --plies 2 --out " +
           Quoted(dir / "edges.bok"));
    EXPECT_TRUE(
        Has(ReadFile(dir / "edges.bok"), "\r\nb1c2 h3g4'Centre Opening, Centre Reply'\r\n") &&
        Has(ReadFile(dir / "edges.bok"), "\r\nBlackManMovement=NW;N;NE;E;SE;S;SW;W N\r\n"));
}

TEST(Cli, RejectsBadArguments) {
    // clang-format off
    const char* const refused[] = {
        "perft", "perft x", "perft 0", "perft 3x", "moves a b", "analyse --depth 0",
        "match --a-threads 0", "analyse --depth 1 --time 1", "analyse --time 0",
        "analyse --noise -1", "analyse --speed 3", "analyse --depth", "selfplay --games 0",
        "selfplay --seed 1 --depth", "selfplay --seed 1 --time", "selfplay --depth x",
        "selfplay --time 0.04", "selfplay --colour", "selfplay --book left", "match --depth 0",
        "selfplay --strength 11", "eval a b", "match --a 11", "match --b mister", "match --time 0",
        "match --games 0", "match --threads 0", "match --b-threads 0",
        "match --sprt 10 0 0.05 0.05", "match --sprt 0 10 0.05",
        "match --variant 0 --a 1 --b 1 --depth 1 --games 1",
        "selfplay --bogus x --depth 1 --games 1", "selfplay --save", "analyse --master 0",
        "analyse a.zlk b.zlk", "selfplay --variant 0", "selfplay --strength 0"};
    // clang-format on
    for (const char* arguments : refused)
        EXPECT_EQ(RunCli(arguments).status, 2) << arguments;
    EXPECT_EQ(RunCli("match --sprt -1000 -999.5 0.5 0.5 --a 1 --b 1 --depth 1 --variant 1").status,
              0);
    for (const auto& [arguments, message] :
         {std::pair("eval a b", "eval: give at most one game file\n"),
          std::pair("selfplay --games 2x", "selfplay: bad argument '--games'\n"),
          std::pair("match --b mister", "match: bad argument '--b'\n"),
          std::pair("analyse --speed 3", "analyse: unknown option '--speed'\n"),
          std::pair("book --width 4", "book: bad argument '--width'\n"),
          std::pair("perft 2 /no/such.zlk", "zelkor-cli: cannot read /no/such.zlk\n"),
          std::pair("perft 0", "zelkor-cli: DEPTH must be a number from 1 to 100\n"),
          std::pair("match --threads 64 --a-threads 64 --b-threads 64 --concurrency 64 --games 0",
                    "match: bad argument '--games'\n"),  // the largest counts, then a bad one
          std::pair("analyse --noise 631", "analyse: --noise needs a number from 0 to 630\n"),
          std::pair("analyse --depth 21", "analyse: --depth needs a number from 1 to 20\n"),
          std::pair("book --variant 99", "book: variant 99 is not in the variant file\n")})
        EXPECT_EQ(RunCli(arguments, true).out, message);
    EXPECT_TRUE(Has(RunCli("frobnicate", true).out, "zelkor-cli: unknown command 'frobnicate'\n"));
    const auto help = RunCli("--help");
    EXPECT_EQ(help.out.rfind("usage: zelkor-cli [--data-dir DIR] COMMAND [ARGS]\n", 0), 0u);
    EXPECT_EQ(RunCli(Shipped(), true).out.rfind("usage: zelkor-cli", 0), 0u);  // no command
    EXPECT_TRUE(help.status == 0 && Has(help.out, "\n  eval [FILE.zlk]"));
    // A variant not in the file, an unreadable file, a mistyped --data-dir: an error, no game.
    for (const char* command : {"selfplay", "match --b master --threads 3 --a-threads 1"}) {
        const auto run = RunCli(Shipped() + command + " --variant 255", true);  // its players told
        const bool told =
            *command == 's' || Has(run.out, "master(0.2s,1t) against B master(0.2s,3t)");
        EXPECT_TRUE(run.status == 1 && told) << command;
    }
    TempDir dir;
    fs::create_directory(dir / "variants.ini");
    for (const auto& [folder, message] : {std::pair(dir.path(), "variants.ini cannot be read"),
                                          std::pair(dir / "nowhere", "nowhere does not exist")}) {
        const auto run = RunCli("--data-dir " + Quoted(folder) + " selfplay --depth 1", true);
        EXPECT_TRUE(run.status == 1 && Has(run.out, message)) << run.out;
    }
    // No file: the first variant's built-in rules, and no other; a crash's half-write is cleared.
    fs::create_directory(dir / "empty");
    const fs::path left = dir / "empty" / ".zelkor-a1b2c3d4.tmp";
    WriteFile(left, "x");
    fs::last_write_time(left, fs::file_time_type::clock::now() - std::chrono::hours(2));
    const std::string empty = "--data-dir " + Quoted(dir / "empty") + " selfplay --depth 1 ";
    EXPECT_EQ(std::pair(RunCli(empty).status, RunCli(empty + "--variant 2").status),
              std::pair(0, 1));
    EXPECT_FALSE(fs::exists(left));
}

TEST(Cli, SelfPlayOfAGameDecidedBeforeAnyMoveNamesItsWinner) {
    // A White man on White's target a8 before the first move; in the second, a Black one on h1.
    TempDir dir;
    std::string setup(64, '0');
    setup[56] = '1';  // a8
    setup[7] = '2';   // h1
    WriteFile(dir / "variants.ini",
              "ZELKOR Version=0.10\r\nVariant=Done\r\nSetup=" + setup +
                  "\r\nPromoW=A8\r\nPromoB=H8\r\nEND\r\nVariant=Lost\r\nSetup=" + setup +
                  "\r\nPromoW=H8\r\nPromoB=H1\r\nEND\r\n");
    const std::string selfplay = "--data-dir " + Quoted(dir.path()) + " selfplay --games 1 ";
    for (const auto& [arguments, first, last, saved] :  // the last limit given holds
         {std::tuple("--depth 3 --time 2 --book black --strength 10", "Done: White wins after 0",
                     "White 1, Black 0", "strength 10, 2 s a move, book black: White wins"),
          std::tuple("--time 2 --depth 20 --book both --variant 2", "Lost: Black wins after 0",
                     "White 0, Black 1", "strength 9, depth 20, book both: Black wins")}) {
        const auto run = RunCli(selfplay + arguments + " --save " + Quoted(dir / "s.zlk"));
        ASSERT_EQ(run.status, 0) << arguments;
        EXPECT_EQ(run.out.rfind(std::string("game 1: ") + first + " plies", 0), 0u) << run.out;
        EXPECT_EQ(run.Lines().back(),
                  "total: 1 games, " + std::string(last) + ", draws 0, unfinished 0");
        EXPECT_TRUE(Has(ReadFile(dir / "s.zlk"), saved));
        for (const char* engine : {"", "--master 1 "}) {  // a decided game is not searched
            const auto over = RunCli("--data-dir " + Quoted(dir.path()) + " analyse --depth 1 " +
                                         engine + Quoted(dir / "s.zlk"),
                                     true);
            EXPECT_EQ(std::tuple(over.status, over.out),
                      std::tuple(1,
                                 "analyse: the game is over; there is no move to search\n"
                                 "bestmove (none)\n"))
                << engine << arguments;
        }
    }
    // --save does not replace a write-protected file.
    WriteFile(dir / "kept.zlk", "kept");
    fs::permissions(dir / "kept.zlk", fs::perms(0444));
    const auto kept = RunCli(selfplay + "--save " + Quoted(dir / "kept.zlk"), true);
    EXPECT_EQ(std::tuple(kept.status, ReadFile(dir / "kept.zlk")), std::tuple(1, "kept"));
    EXPECT_TRUE(Has(kept.out, "write-protected"));
}

// The build folder, as `make run` uses it: the files stay beside the executable.
TEST(Install, TheBuildFolderKeepsItsFilesBesideTheExecutable) {
    TempDir home;
    const auto run = RunShell("env -u XDG_DATA_HOME HOME=" + Quoted(home.path()) + " " +
                              ZELKOR_CLI_PATH + " moves 2>&1");
    EXPECT_EQ(std::tuple(run.status, run.out.substr(0, 18)),
              std::tuple(0, "e1-d2\ne1-e2\ne1-d1\n"));
    EXPECT_FALSE(fs::exists(home / ".local") ||
                 fs::exists(fs::path(ZELKOR_CLI_PATH).parent_path() / ".zelkor-write-test"));
#ifdef ZELKOR_WITH_UI
    const std::string zelkor = Quoted(fs::path(ZELKOR_BINARY_DIR) / "bin/zelkor");
    // The usage needs no display.
    const auto help =
        RunShell("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + zelkor + " --help 2>&1");
    EXPECT_EQ(help.status, 0) << help.out;
    for (const char* part : {"--data-dir <DIR>", "Halma and its variants on an 8x8 board"})
        EXPECT_TRUE(Has(help.out, part));
    // A folder that is not there, or an option the program does not know, ends it with the reason.
    const auto missing = RunShell("QT_QPA_PLATFORM=offscreen " + zelkor + " --data-dir " +
                                  Quoted(home / "none") + " 2>&1");
    const auto unknown =
        RunShell("QT_QPA_PLATFORM=offscreen timeout 60 " + zelkor + " --nine 2>&1");
    EXPECT_EQ(std::tuple(missing.status, Has(missing.out, "none does not exist"), unknown.status,
                         Has(unknown.out, "nine")),
              std::tuple(1, true, 1, true));
    // The window opens on the folder given, which gets its log; then it is ended.
    RunShell("cd " + Quoted(home.path()) + "; QT_QPA_PLATFORM=offscreen " + zelkor +
             " --data-dir . >/dev/null 2>&1 & for i in $(seq 200); do [ -f zelkor.log ] && break; "
             "sleep 0.05; done; kill $!; wait");
    EXPECT_TRUE(fs::exists(home / "zelkor.log"));
#endif
}

}  // namespace
}  // namespace zelkor::test
