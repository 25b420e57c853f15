#include "records/book.h"

#if __has_include(<sys/stat.h>)
#include <sys/stat.h>
#endif

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <utility>

#include "records/game_file.h"
#include "records/settings.h"
#include "records/text_file.h"
#include "rules/board.h"
#include "rules/variant.h"

namespace zelkor {

namespace {

// A book line needs five characters per ply of a game; longer lines are cut.
constexpr std::size_t kMaxBookLineLength = 5 * (kMaxGamePlies + 1) + 16;

bool StartsWith(const std::string& line, const std::string& key) {
    return line.rfind(key, 0) == 0;
}

std::string UpperCase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// Characters [at, at + count) of a text, as far as it reaches.
std::string Part(const std::string& text, std::size_t at, std::size_t count) {
    return at < text.size() ? text.substr(at, count) : std::string();
}

std::string LeftTrimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

// Rows of a direction table equal up to and including their terminators.
bool SameDirections(const DirectionTable& a, const DirectionTable& b) {
    for (std::size_t row = 0; row < a.size(); ++row) {
        for (std::size_t slot = 0; slot < a[row].size(); ++slot) {
            if (a[row][slot] != b[row][slot]) return false;
            if (a[row][slot] == kDirectionEnd) break;
        }
    }
    return true;
}

// Whether a "PromoW="/"PromoB=" value fits a home-square list: every named square is in
// the list, and a missing piece or one that names no square needs an empty slot there.
bool HomeListFits(const std::string& value, const std::array<int32_t, kHomeSlots>& list) {
    for (int slot = 0; slot < kHomeSlots; ++slot) {
        const int square = SquareNumber(Part(value, static_cast<std::size_t>(2 * slot), 2));
        const int wanted = square == 0 ? kEmptySlot : square;
        if (std::find(list.begin(), list.end(), wanted) == list.end()) return false;
    }
    return true;
}

// The header of a book section: does the section fit the game?
class SectionMatcher {
  public:
    explicit SectionMatcher(const GameState& g) : g_(g), setup_(SetupText(g.initialBoard)) {}

    void Line(const std::string& line) {
        if (StartsWith(line, "Variant=")) {
            fits_ = line.substr(8) == g_.active.name;
            directions_ = g_.directions;
            return;
        }
        if (StartsWith(line, "Setup=")) {
            if (line.substr(6) != setup_) fits_ = false;
            return;
        }
        for (int f = 0; f < kRuleFlagCount; ++f) {
            const std::string key = std::string(kRuleFlagKeys[f]) + "=";
            if (StartsWith(line, key)) {
                const auto number = LeadingNumber(line.substr(key.size()));
                if (number.value_or(0) != g_.active.flags[f]) fits_ = false;
                return;
            }
        }
        if (StartsWith(line, "PromoW=")) {
            if (!HomeListFits(line.substr(7), g_.active.home[0])) fits_ = false;
        } else if (StartsWith(line, "PromoB=")) {
            if (!HomeListFits(line.substr(7), g_.active.home[1])) fits_ = false;
        } else if (StartsWith(line, "WhiteManMovement=")) {
            ParseDirections(line.substr(17), 0, directions_);
        } else if (StartsWith(line, "BlackManMovement=")) {
            ParseDirections(line.substr(17), 1, directions_);
        }
    }

    // At "start": the section is taken when it still fits.
    bool Start() {
        if (!SameDirections(directions_, g_.directions)) fits_ = false;
        return fits_;
    }

  private:
    const GameState& g_;
    std::string setup_;
    bool fits_ = false;  // a section without "Variant=" never fits
    DirectionTable directions_{};
};

}  // namespace

void BookGameRules::Line(const std::string& line) {
    if (offsetLines_ > 0) {
        const int side = offsetLines_ == 2 ? 0 : 1;
        --offsetLines_;
        ParseDirections(line, side, directions_);
        if (!SameDirections(directions_, g_.directions)) fits_ = false;
        return;
    }
    if (StartsWith(line, "Offset=")) {
        offsetLines_ = 2;
        directions_ = g_.directions;
        return;
    }
    if (StartsWith(line, "Setup=")) {
        // As a game file's set-up is applied: what is not 1 or 2 is an empty square.
        std::string setup = line.substr(6, 64);
        setup.resize(64, '0');
        for (char& c : setup)
            if (c != '1' && c != '2') c = '0';
        if (setup != SetupText(g_.initialBoard)) fits_ = false;
        return;
    }
    for (int f = 0; f < kRuleFlagCount; ++f) {
        const std::string key = std::string(kRuleFlagKeys[f]) + "=";
        if (StartsWith(line, key)) {
            if (LeadingNumber(line.substr(key.size())) != g_.active.flags[f]) fits_ = false;
            return;
        }
    }
    for (int side = 0; side < 2; ++side) {
        if (!StartsWith(line, side == 0 ? "PromoW=" : "PromoB=")) continue;
        std::array<int32_t, kHomeSlots> named = ParseHomeSquares(line.substr(7));
        std::array<int32_t, kHomeSlots> inForce = g_.active.home[side];
        std::sort(named.begin(), named.end());
        std::sort(inForce.begin(), inForce.end());
        if (named != inForce) fits_ = false;
    }
}

namespace {

BookResult EmptyWithName(int mode, ReaderUi& ui, BookResult result) {
    if (mode == 0) ui.ShowOpeningName(result.openingName);
    return result;
}

}  // namespace

std::pair<int, int> BookMoveSquares(const std::string& move) {
    const std::string upper = UpperCase(move);
    return {SquareNumber(Part(upper, 0, 2)), SquareNumber(Part(upper, 2, 2))};
}

std::string GameText(const GameState& g) {
    std::string text;
    const int plies = std::clamp(g.gamePly, 0, kMaxGamePlies);
    for (int ply = 1; ply <= plies; ++ply) {
        if (ply > 1) text += ' ';
        text += RecordedMoveText(g, ply);
    }
    return text;
}

// The book file as read once: every line after the first, the sections it holds and
// what is wrong with it, if anything.
// One section's book lines and names, indexed for look-ups that take a few binary searches
// however large the book is.
// The lines of the book file after the first, kept in one text: a few bytes per line
// beside the text itself, however many lines a file has.
class BookLines {
  public:
    void Add(std::string_view line) {
        text_ += line;
        begin_.push_back(static_cast<uint32_t>(text_.size()));
    }
    std::size_t size() const { return begin_.size() - 1; }
    std::string_view operator[](std::size_t i) const {
        return std::string_view(text_).substr(begin_[i], begin_[i + 1] - begin_[i]);
    }
    void clear() {
        text_.clear();
        begin_.assign(1, 0);
    }

  private:
    std::string text_;
    std::vector<uint32_t> begin_{0};  // where each line starts in text_, and the end
};

class SectionIndex {
  public:
    SectionIndex(const BookLines& lines, std::size_t begin, std::size_t end, std::size_t namesBegin,
                 std::size_t namesEnd);

    // Whether some line continues the game text (not asked for the empty text), and the
    // book moves for the side letter at that point, in file order, at most `limit`.
    bool Continues(const std::string& gameText) const;
    // The lines that propose a move and where the move stands on them. The first
    // kShownBookMoves are in file order; Move puts the one asked for in its place.
    struct Proposals {
        std::vector<uint32_t> owned;
        const std::vector<uint32_t>* lines = &owned;
        std::size_t at = 0;
    };
    Proposals Candidates(const std::string& gameText, char sideLetter) const;
    // The move of the i-th proposing line in file order.
    std::string Move(Proposals& proposals, std::size_t i) const {
        if (proposals.lines == &proposals.owned && i >= kShownBookMoves) {
            auto& owned = proposals.owned;
            std::nth_element(owned.begin() + kShownBookMoves,
                             owned.begin() + static_cast<std::ptrdiff_t>(i), owned.end());
        }
        return std::string(lines_[first_ + (*proposals.lines)[i]].substr(proposals.at, 4));
    }
    // The name of the last name line whose prefix begins the text; empty when none does.
    std::string Name(const std::string& text) const;

  private:
    std::string_view Line(uint32_t line) const {
        return std::string_view(text_).substr(begin_[line], begin_[line + 1] - begin_[line]);
    }
    // The lines that start with the text: a range of positions in sorted order.
    std::pair<std::size_t, std::size_t> Group(const std::string& gameText) const;

    const BookLines& lines_;  // the file's lines; the book lines from first_
    std::size_t first_;
    // The expanded lines that can follow a game (four characters or more), markers
    // blanked, one after another; a shorter line neither continues nor proposes anything.
    std::string text_;
    std::vector<uint32_t> begin_;   // where each of them starts in text_, and the end
    std::vector<uint32_t> lineOf_;  // its book line (from first_)
    std::vector<uint32_t> sorted_;  // them in the order of their texts
    // The lines whose first move is a book move for White, for Black: the start position
    // would otherwise look at every line.
    std::array<std::vector<uint32_t>, 2> firstMoves_;
    // Name lines: by the length of their prefix, the prefix and the last line that has it.
    std::map<std::size_t, std::unordered_map<std::string, std::pair<std::size_t, std::string>>>
        names_;
};

struct BookFile {
    enum class State { Usable, NotBook, WrongVersion, Damaged };
    State state = State::Usable;
    // The message for NotBook, WrongVersion and Damaged: an English pattern, translated
    // where it is shown, and what fills its %1, %2 ...
    const char* problem = "";
    std::vector<std::string> problemArgs;
    bool reported = false;  // the problem was shown once for this version of the file
    BookLines lines;
    struct Section {
        std::size_t headerBegin = 0;          // the lines the matcher sees before this "start"
        std::size_t start = 0;                // the "start" line
        std::size_t bodyEnd = 0;              // the "names" or "end" line, or the end of the file
        bool names = false;                   // the body stopped at "names"
        std::size_t namesEnd = 0;             // the "end" after the names, or the end of the file
        std::shared_ptr<SectionIndex> index;  // built at the first look-up that takes it
    };
    std::vector<Section> sections;
    // The section found for each rule set asked about (a key of the rules, the section's
    // number or -1), so a look-up does not walk the sections again.
    std::unordered_map<std::string, long long> sectionOfRules;
};

namespace {

constexpr std::size_t kUnit = 5;  // four characters of a move and its marker

}  // namespace

SectionIndex::SectionIndex(const BookLines& lines, std::size_t begin, std::size_t end,
                           std::size_t namesBegin, std::size_t namesEnd)
    : lines_(lines), first_(begin) {
    std::string previous;
    std::string expanded;
    for (std::size_t i = begin; i < end; ++i) {
        const std::string_view line = lines[i];
        const std::size_t blanks = std::min(line.find_first_not_of(' '), line.size());
        expanded.assign(previous, 0, std::min(blanks, previous.size()));
        expanded += line.substr(blanks);
        if (line.size() > 4 && (line[4] == 'w' || line[4] == 'b'))
            firstMoves_[line[4] == 'w' ? 0 : 1].push_back(static_cast<uint32_t>(i - begin));
        previous = expanded;
        if (expanded.size() < 4) continue;
        for (std::size_t at = 4; at < expanded.size(); at += kUnit)
            expanded[at] = ' ';
        begin_.push_back(static_cast<uint32_t>(text_.size()));
        lineOf_.push_back(static_cast<uint32_t>(i - begin));
        text_ += expanded;
    }
    begin_.push_back(static_cast<uint32_t>(text_.size()));
    const auto count = static_cast<uint32_t>(begin_.size() - 1);
    sorted_.resize(count);
    for (uint32_t i = 0; i < count; ++i)
        sorted_[i] = i;
    std::sort(sorted_.begin(), sorted_.end(),
              [this](uint32_t a, uint32_t b) { return Line(a) < Line(b); });

    for (std::size_t i = namesBegin; i < namesEnd; ++i) {
        const std::string_view line = lines[i];
        const std::size_t open = line.find('\'');
        const std::size_t close = line.find('\'', open + 1);
        if (open == std::string::npos || close == std::string::npos) continue;
        names_[open][std::string(line.substr(0, open))] = {
            i, std::string(line.substr(open + 1, close - open - 1))};
    }
}

std::pair<std::size_t, std::size_t> SectionIndex::Group(const std::string& gameText) const {
    const std::size_t length = gameText.size();
    const auto from = std::lower_bound(
        sorted_.begin(), sorted_.end(), gameText,
        [this](uint32_t line, const std::string& text) { return Line(line) < text; });
    const auto to = std::upper_bound(from, sorted_.end(), gameText,
                                     [this, length](const std::string& text, uint32_t line) {
                                         return text < Line(line).substr(0, length);
                                     });
    return {static_cast<std::size_t>(from - sorted_.begin()),
            static_cast<std::size_t>(to - sorted_.begin())};
}

bool SectionIndex::Continues(const std::string& gameText) const {
    if (gameText.empty()) return false;
    const auto [from, to] = Group(gameText);
    return from < to;
}

SectionIndex::Proposals SectionIndex::Candidates(const std::string& gameText,
                                                 char sideLetter) const {
    // A line proposes the move after the game's when that unit's marker is written on it for
    // the side to move, so moves that leading blanks cover are not proposed again.
    Proposals proposals;
    if (gameText.empty()) {
        proposals.lines = &firstMoves_[sideLetter == 'w' ? 0 : 1];
        return proposals;
    }
    const std::size_t at = gameText.size() + 1;
    proposals.at = at;
    const auto [from, to] = Group(gameText);
    for (std::size_t i = from; i < to; ++i) {
        const uint32_t number = lineOf_[sorted_[i]];
        const std::string_view line = lines_[first_ + number];
        if (line.size() > at + 4 && line[at + 4] == sideLetter) proposals.owned.push_back(number);
    }
    // File order for the first few; the rest only when one of them is chosen.
    auto& owned = proposals.owned;
    const auto shown = static_cast<std::ptrdiff_t>(
        std::min(owned.size(), static_cast<std::size_t>(kShownBookMoves)));
    std::partial_sort(owned.begin(), owned.begin() + shown, owned.end());
    return proposals;
}

std::string SectionIndex::Name(const std::string& text) const {
    const std::pair<std::size_t, std::string>* last = nullptr;
    for (const auto& [length, prefixes] : names_) {
        if (length > text.size()) break;
        const auto it = prefixes.find(text.substr(0, length));
        if (it != prefixes.end() && (last == nullptr || it->second.first > last->first))
            last = &it->second;
    }
    return last == nullptr ? std::string() : last->second;
}

namespace {

std::shared_ptr<BookFile> ReadBookFile(const std::filesystem::path& path) {
    auto book = std::make_shared<BookFile>();
    std::error_code error;
    if (std::filesystem::file_size(path, error) > kMaxBookFileSize) {
        book->state = BookFile::State::Damaged;
        book->problem =
            QT_TRANSLATE_NOOP("Game", "%1 is larger than %2 MB; the opening book is not used");
        book->problemArgs = {path.string(), std::to_string(kMaxBookFileSize >> 20)};
        return book;
    }
    LineReader in(path, kMaxLineLength, kMaxBookFileSize);
    const auto first = in.Next(256);
    if (!first || first->substr(0, 15) != kFileSignature) {
        book->state = BookFile::State::NotBook;
        book->problem = QT_TRANSLATE_NOOP("Game", "ZELKOR.BOK is not an Zelkor Book file");
        return book;
    }
    if (!VersionMatches(*first)) {
        book->state = BookFile::State::WrongVersion;
        book->problem =
            QT_TRANSLATE_NOOP("Game", "Incorrect version of ZELKOR.BOK\r\nNeed version %1");
        book->problemArgs = {kDataVersion};
        return book;
    }
    std::string line;
    while (in.Next(line))
        book->lines.Add(std::string_view(line).substr(0, kMaxBookLineLength));
    if (in.failed()) {
        book->state = BookFile::State::Damaged;
        book->problem =
            QT_TRANSLATE_NOOP("Game", "%1 cannot be read; the opening book is not used");
        book->problemArgs = {path.string()};
        return book;
    }
    // A name line needs its name between two quotes; one without them makes the whole book
    // unusable, not the program.
    const BookLines& lines = book->lines;
    bool inNames = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == "names") {
            inNames = true;
        } else if (lines[i] == "end") {
            inNames = false;
        } else if (inNames) {
            const std::size_t open = lines[i].find('\'');
            if (open == std::string::npos || lines[i].find('\'', open + 1) == std::string::npos) {
                book->state = BookFile::State::Damaged;
                book->problem = QT_TRANSLATE_NOOP(
                    "Game",
                    "%1, line %2: the name line \"%3\" has no name between quotes; the "
                    "opening book is not used");
                book->problemArgs = {path.string(), std::to_string(i + 2),
                                     std::string(lines[i].substr(0, 60))};
                book->lines.clear();
                return book;
            }
        }
    }
    // Each "start" opens a section; its body runs to the next "names" or "end", its names
    // to the next "end". One pass: the sections still open are closed where that line is.
    std::vector<std::size_t> openBodies;
    std::vector<std::size_t> openNames;
    std::size_t headerBegin = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view text = lines[i];
        if (text == "start") {
            BookFile::Section section;
            section.headerBegin = headerBegin;
            section.start = i;
            openBodies.push_back(book->sections.size());
            book->sections.push_back(section);
            headerBegin = i + 1;
        } else if (text == "names" || text == "end") {
            for (const std::size_t open : openBodies) {
                BookFile::Section& section = book->sections[open];
                section.bodyEnd = i;
                section.names = text == "names";
                section.namesEnd = i;
                if (section.names) openNames.push_back(open);
            }
            openBodies.clear();
            if (text == "end") {
                for (const std::size_t open : openNames)
                    book->sections[open].namesEnd = i;
                openNames.clear();
            }
        }
    }
    for (const std::size_t open : openBodies)
        book->sections[open].bodyEnd = book->sections[open].namesEnd = lines.size();
    for (const std::size_t open : openNames)
        book->sections[open].namesEnd = lines.size();
    return book;
}

// What decides which section fits: the rules in force and the start position.
std::string RulesKey(const GameState& g) {
    std::string key = g.active.name;
    key += '\n';
    key += SetupText(g.initialBoard);
    key.append(reinterpret_cast<const char*>(g.active.flags.data()), g.active.flags.size());
    for (const auto& home : g.active.home)
        key.append(reinterpret_cast<const char*>(home.data()), sizeof home);
    key.append(reinterpret_cast<const char*>(&g.directions), sizeof g.directions);
    return key;
}

// What changes whenever the file's contents may have changed: its device and inode (a
// file swapped in by a rename), its change time (set by every write, and not settable by
// a copy that keeps the modification time), its size and its modification time.
std::string FileIdentity(const std::filesystem::path& path) {
    std::string identity;
#if __has_include(<sys/stat.h>)
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return identity;
    const long long fields[] = {
        static_cast<long long>(info.st_dev),          static_cast<long long>(info.st_ino),
        static_cast<long long>(info.st_size),         static_cast<long long>(info.st_ctim.tv_sec),
        static_cast<long long>(info.st_ctim.tv_nsec), static_cast<long long>(info.st_mtim.tv_sec),
        static_cast<long long>(info.st_mtim.tv_nsec)};
    for (const long long field : fields)
        identity += std::to_string(field) + ' ';
#else
    std::error_code error;
    identity =
        std::to_string(std::filesystem::file_size(path, error)) + ' ' +
        std::to_string(std::filesystem::last_write_time(path, error).time_since_epoch().count());
#endif
    return identity;
}

}  // namespace

BookCache::BookCache() = default;
BookCache::~BookCache() = default;

const BookFile* BookCache::File(const std::filesystem::path& path) {
    std::error_code error;
    // Only a regular file is a book; a folder, a pipe or a device in its place is none.
    if (DataFileAccess(path) != FileAccess::Readable) {
        file_.reset();
        return nullptr;
    }
    const std::string identity = FileIdentity(path);
    if (!file_ || path != path_ || identity != identity_ || identity.empty()) {
        file_ = ReadBookFile(path);
        path_ = path;
        identity_ = identity;
    }
    return file_.get();
}

BookResult BookCache::Lookup(int mode, const GameState& g, const std::filesystem::path& dataDir,
                             Random& random, ReaderUi& ui) {
    BookResult result;
    const BookFile* book = File(dataDir / kBookFileName);
    if (book == nullptr) return result;
    if (book->state != BookFile::State::Usable) {
        // Told once for each version of the file; the game goes on without the book.
        if (!file_->reported) {
            file_->reported = true;
            const bool notBook = book->state == BookFile::State::NotBook;
            ui.Message(Fill(ui.Translate("Game", book->problem), book->problemArgs),
                       notBook ? "Zelkor" : ui.Translate("Game", "Error"), Icon::Exclamation);
        }
        return result;
    }
    const BookLines& lines = book->lines;

    // Find the section of the game's rules, once for each rule set.
    const std::string key = RulesKey(g);
    auto known = file_->sectionOfRules.find(key);
    if (known == file_->sectionOfRules.end()) {
        SectionMatcher matcher(g);
        long long number = -1;
        for (std::size_t s = 0; s < file_->sections.size() && number < 0; ++s) {
            const BookFile::Section& section = file_->sections[s];
            for (std::size_t i = section.headerBegin; i < section.start; ++i)
                matcher.Line(std::string(lines[i]));
            if (matcher.Start()) number = static_cast<long long>(s);
        }
        if (file_->sectionOfRules.size() >= 64) file_->sectionOfRules.clear();
        known = file_->sectionOfRules.emplace(key, number).first;
    }
    if (known->second < 0) return EmptyWithName(mode, ui, result);
    BookFile::Section* found = &file_->sections[static_cast<std::size_t>(known->second)];

    // Collect the candidates of the book lines. Every occurrence is one entry, so a move
    // proposed by several lines is chosen that much more often.
    if (!found->index)
        found->index = std::make_shared<SectionIndex>(lines, found->start + 1, found->bodyEnd,
                                                      found->bodyEnd + 1, found->namesEnd);
    const SectionIndex& index = *found->index;
    std::string gameText = GameText(g);
    const char sideLetter = g.side == kWhite ? 'w' : 'b';
    result.inBook = index.Continues(gameText);
    SectionIndex::Proposals proposals = index.Candidates(gameText, sideLetter);
    const std::size_t count = std::min(proposals.lines->size(), kMaxBookCandidates);
    for (std::size_t i = 0; i < count && i < kShownBookMoves; ++i)
        result.bookMoves.push_back(index.Move(proposals, i));

    if (mode == 1 && count > 0) {
        const double r = std::clamp(random.Uniform(), 0.0, 1.0);
        const std::size_t pick =
            std::min(static_cast<std::size_t>(r * static_cast<double>(count)), count - 1);
        const std::string chosen = index.Move(proposals, pick);
        if (!chosen.empty()) {
            gameText += " " + chosen;
            // A damaged line can hold any text where a move stands; only squares are proposed.
            const auto [from, to] = BookMoveSquares(chosen);
            if (IsPlayingSquare(from) && IsPlayingSquare(to)) {
                result.from = from;
                result.to = to;
            }
        }
    }

    if (found->names) result.openingName = index.Name(LeftTrimmed(gameText));
    return EmptyWithName(mode, ui, result);
}

BookResult FileBookLookup(int mode, const GameState& g, const std::filesystem::path& dataDir,
                          Random& random, ReaderUi& ui) {
    BookCache once;
    return once.Lookup(mode, g, dataDir, random, ui);
}

}  // namespace zelkor
