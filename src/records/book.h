// The opening book: the book file zelkor.bok and the folders of book games.
//
// zelkor.bok: "ZELKOR Version=0.10", then sections. A section is header lines ("Variant=",
// "Setup=", the ten rule flags, "PromoW=", "PromoB=", "WhiteManMovement=",
// "BlackManMovement="), "start", book lines, optionally "names" and name lines, and "end".
// A book line is a row of five-character units: a move ("c3d4") and a marker, "w" or "b"
// when the move is a book move for that side, a blank when it only leads on; units follow
// each other without separators ("c3d4 f6e5bg3h4w": f6e5 for Black after c3d4, then g3h4
// for White). Leading blanks stand for the same characters of the previous line, so a book
// can be written as a tree. A name line is a prefix of a game text followed by the opening's name
// in quotes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "records/reader_ui.h"
#include "rules/clock_random.h"
#include "rules/game_state.h"

namespace zelkor {

inline constexpr const char* kBookFileName = "zelkor.bok";
inline constexpr const char* kWhiteBookGames = "white bookgames";
inline constexpr const char* kBlackBookGames = "black bookgames";
inline constexpr int kShownBookMoves = 11;  // book moves the legal-move list marks
// Entries of one look-up's candidate list. A real book proposes a handful of moves per
// position; the bound only keeps a damaged or hostile file from taking unbounded memory.
inline constexpr std::size_t kMaxBookCandidates = 100000;
// The largest book file read: hundreds of times the shipped book, and what it takes in
// memory (a few times its size) fits any machine the program runs on.
inline constexpr std::uintmax_t kMaxBookFileSize = std::uintmax_t{32} << 20;

struct BookResult {
    bool inBook = false;      // the game so far follows a line of the book file
    std::string openingName;  // empty when no name line fits
    int from = 0;             // the chosen book move, 0 and 0 when there is none
    int to = 0;
    // The book moves proposed for the position ("c3d4"), at most kShownBookMoves, in the
    // order found (a move proposed by several lines may repeat).
    std::vector<std::string> bookMoves;
};

// The moves of the game from its start up to g.gamePly, four lower-case characters each
// ("c3d4"), joined by single blanks; empty at the start position.
std::string GameText(const GameState& g);
// The squares named by a book move's two halves ("c3d4", either case); 0 for no square.
std::pair<int, int> BookMoveSquares(const std::string& move);

struct BookFile;

// The book file read once per change of the file (its path, inode and change time), so
// that a look-up after every move does not read a large book again. A book that is not a
// book, of another version or damaged (a name line without its quotes) is reported once
// per change, through the look-up that met it first, and gives no book moves.
class BookCache {
  public:
    BookCache();
    ~BookCache();
    BookCache(const BookCache&) = delete;
    BookCache& operator=(const BookCache&) = delete;

    // FileBookLookup on the cached file.
    BookResult Lookup(int mode, const GameState& g, const std::filesystem::path& dataDir,
                      Random& random, ReaderUi& ui);

  private:
    const BookFile* File(const std::filesystem::path& path);
    std::shared_ptr<BookFile> file_;
    std::filesystem::path path_;
    std::string identity_;  // device, inode, change time, size and time of the file read
};

// Mode 1 chooses a book move for the side to move (weighted by the number of lines that
// propose it, with random.Uniform()); mode 0 only finds the opening name and shows it in
// the status line's third panel. Both set inBook and the book moves. A missing book file
// gives an empty result silently; a file of another kind or version, or a fault inside it
// (a name line without its quotes), is reported and gives an empty result. Reads the file
// afresh; the game keeps a BookCache instead.
BookResult FileBookLookup(int mode, const GameState& g, const std::filesystem::path& dataDir,
                          Random& random, ReaderUi& ui);

// Whether the header of a book game (its lines before "START", given one by one) names
// the rules in force: the rule flags, the home squares ("PromoW=", "PromoB=", in any
// order), the directions (the two lines after "Offset=") and the set-up ("Setup="). Keys
// the header leaves out are not compared, so a game without them always fits.
class BookGameRules {
  public:
    explicit BookGameRules(const GameState& g) : g_(g) {}
    void Line(const std::string& line);
    bool Fits() const { return fits_ && offsetLines_ == 0; }

  private:
    const GameState& g_;
    bool fits_ = true;
    int offsetLines_ = 0;  // direction lines still to come after "Offset="
    DirectionTable directions_{};
};

}  // namespace zelkor
