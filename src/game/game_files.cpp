// Loading and saving game records: the dialogs, the messages and the replay.
#include <algorithm>
#include <system_error>

#include "game/controller.h"
#include "records/game_file.h"
#include "records/log.h"
#include "records/text_file.h"
#include "records/variant_file.h"

namespace zelkor {

namespace {

constexpr const char* kOpenFilter = QT_TRANSLATE_NOOP("Game", "Zelkor File (*.zlk)|*.zlk");
constexpr const char* kSaveFilter = QT_TRANSLATE_NOOP("Game", "Zelkor File (*.zlk)|*.zlk|");

}  // namespace

void GameController::Open() {
    GameSession& g = *game_;
    if (g.busy) return;
    if (!MayQuitGame()) return;
    const std::optional<std::string> file =
        ui_.AskOpenFile(ui_.Translate("Game", "Load Game"), ui_.Translate("Game", kOpenFilter));
    if (!file || file->empty()) return;
    LoadGameFile(*file);
}

void GameController::Save() {
    if (currentPath_.empty()) {
        SaveAs();
        return;
    }
    // A file that cannot be replaced (write-protected, gone with its folder) keeps its
    // contents; the game can go to another file instead.
    if (WriteGameFile(currentPath_, GameFileDataOf(*game_, settings_))) {
        savedLength_ = game_->recordLength;
        ShowWindowTitle();
        return;
    }
    const std::string text = GameFileWriteFailedMessage(currentPath_.filename().string(),
                                                        IsWriteProtected(currentPath_), ui_) +
                             "\r\n" + ui_.Translate("Game", "Save the game under another name?");
    if (ui_.Message(text, ui_.Translate("Game", "Confirmation"), Icon::Question, Buttons::YesNo) ==
        Answer::Yes)
        SaveAs();
}

void GameController::SaveAs() {
    const std::optional<std::string> chosen =
        ui_.AskSaveFile(ui_.Translate("Game", "Save Game"), ui_.Translate("Game", kSaveFilter));
    if (!chosen || chosen->empty()) return;
    const std::filesystem::path file(*chosen);
    const std::string name = file.filename().string();
    std::error_code error;
    if (std::filesystem::exists(file, error) &&
        ui_.Message(Fill(ui_.Translate("Game", "%1 already exists, overwrite?"), {name}),
                    ui_.Translate("Game", "Confirmation"), Icon::Question,
                    Buttons::YesNo) == Answer::No)
        return;
    // The game keeps its old name when the new file cannot be written.
    if (!SaveGameFile(file)) return;
    currentFile_ = name;
    currentPath_ = std::filesystem::absolute(file, error);
    if (error) currentPath_ = file;
    ShowWindowTitle();
}

bool GameController::SaveGameFile(const std::filesystem::path& file) {
    // The file keeps the level and the name the game is played with.
    if (WriteGameFile(file, GameFileDataOf(*game_, settings_))) {
        savedLength_ = game_->recordLength;
        return true;
    }
    ui_.Message(GameFileWriteFailedMessage(file.filename().string(), IsWriteProtected(file), ui_),
                ui_.Translate("Game", "Error"), Icon::Exclamation);
    return false;
}

bool GameController::LoadGameFile(const std::filesystem::path& file) {
    GameSession& g = *game_;
    if (g.busy) return false;
    const std::string name = file.filename().string();
    GameFileContents contents = ReadGameFile(file);
    if (contents.status != GameFileStatus::Ok) {
        std::string title = "Zelkor";
        const std::string text = GameFileStatusMessage(contents.status, name, &title, ui_);
        ui_.Message(text, title, Icon::Exclamation);
        return false;
    }

    ui_.SetListLines(ListId::Analysis, {});
    ui_.SetText(Display::Comment, "");
    ui_.SetText(Display::TypedMove, "");
    ClearProgressDisplays();
    if (contents.linesAfterStart > 0) ui_.SetProgressMaximum(contents.linesAfterStart);

    // A new game, then the file's header in its own order: the variant first, then the
    // file's set-up, rules and settings over it.
    setupMode_ = false;
    g.handSetUp = false;
    RestoreOwnLevel();
    const OwnLevel own{settings_.SearchDepth, settings_.UseDepth, settings_.PlayerName};
    SetUpNewGame();
    ClearAnalysisTable();
    for (const GameFileHeaderLine& line : contents.header) {
        RuleFlag flag{};
        if (line.key == "Setup=") {
            ApplySetupText(line.value, g.board);
            g.initialBoard = g.board;
            g.handSetUp = true;
        } else if (line.key == "Variant=") {
            settings_.Variant = static_cast<uint8_t>(std::clamp<long long>(line.number, 1, 255));
            if (variantFileMissing_) {
                ui_.Message(ui_.Translate("Game", "VARIANTS.INI is missing!"),
                            ui_.Translate("Game", "Error"), Icon::Exclamation);
                g.handSetUp = false;
                SetUpNewGame();
                ResetGameDisplays();
                return false;
            }
            variantFileMissing_ =
                LoadVariant(g, dataDir_, settings_.Variant, ui_) == VariantFileStatus::Missing;
            g.active.name = g.defined.name;
            g.active.help = g.defined.help;
        } else if (line.key == "Depth=") {
            // The options keep the depth within 1..20; a file cannot ask for more.
            settings_.SearchDepth = static_cast<int32_t>(std::clamp<long long>(line.number, 1, 20));
            settings_.UseDepth = 1;
            ui_.SetText(Display::Strength, StrengthText());
        } else if (line.key == "Notation=") {
            settings_.Notation = line.number == 1 ? 1 : 0;
        } else if (IsGameFileFlagKey(line.key, &flag)) {
            g.active.flags[flag] = static_cast<uint8_t>(std::clamp<long long>(line.number, 0, 1));
            if (flag == BlackStarts) g.side = g.active.flags[flag] == 1 ? kBlack : kWhite;
        } else if (line.key == "PlayerName=") {
            settings_.PlayerName = line.value;
        } else if (line.key == "PromoW=") {
            g.active.home[0] = ParseHomeSquares(line.value);
        } else if (line.key == "PromoB=") {
            g.active.home[1] = ParseHomeSquares(line.value);
        } else if (line.key == "Offset=") {
            g.active.directions[0] = line.value;
            g.active.directions[1] = line.value2;
        }
    }
    // The file's level and name hold for this game only: the player's own come back with
    // the next game and are the ones kept in the settings file.
    fileLevel_ = OwnLevel{settings_.SearchDepth, settings_.UseDepth, settings_.PlayerName};
    if (!(fileLevel_ == own)) ownLevel_ = own;
    // The file's home squares and directions are in force before any move is replayed.
    RebuildRuleTables();
    ShowVariantName();
    ui_.SetWaitCursor(true);
    ui_.SetListLines(ListId::GameMoves, {});
    if (contents.linesAfterStart > 0)
        ui_.SetText(Display::Status, ui_.Translate("Game", "Loading and analyzing..."));
    loading_ = true;
    heldEndMessage_.clear();
    UpdateCommandStates();

    int progress = 0;
    int movesLoaded = 0;
    for (const GameFileItem& item : contents.body) {
        ui_.SetProgressValue(++progress);
        if (item.kind == GameFileItem::Kind::Comment) {
            if (g.gamePly >= 0 && g.gamePly < kHistorySize) g.comments[g.gamePly] = item.text;
            continue;
        }
        if (g.gamePly >= kMaxGamePlies) {
            ui_.Message(ui_.Translate("Game", kMoveLimitMessage), "Zelkor", Icon::Information);
            break;
        }
        if (!InputMove(item.text)) {
            // The moves before it stay; the file is named with the line, as for a header
            // that cannot be read, and keeps no name.
            contents.complete = false;
            contents.illegalMove = true;
            contents.stopLine = item.line;
            contents.stopText = item.text.substr(0, 40);
            break;
        }
        ++movesLoaded;
        g.gameStarted = true;
        g.rated = false;
        RecordPlayedMove(item.text, lastMoveWasJump_);
        RunGameEndDetection();
    }

    if (g.playMode == PlayMode::PlayerPlayer) {
        g.firstSideName = settings_.PlayerName;
        g.secondSideName = settings_.PlayerName;
    } else {
        AssignNamesForSideToMove();
        // A won game shows the player as the side that made the winning move, not as the
        // side left without one.
        if (g.gameOver && g.drawFlag == DrawKind::None) SwapSideNames();
    }
    if (!g.gameOver) ui_.SetText(Display::Status, "");  // an ended game keeps its result
    // A file that stopped loading early keeps no name: a Save would overwrite it with the
    // part that was loaded.
    if (contents.complete) {
        currentFile_ = name;
        savedLength_ = g.recordLength;
        std::error_code error;
        currentPath_ = std::filesystem::absolute(file, error);
        if (error) currentPath_ = file;
    }
    ui_.SetProgressValue(contents.linesAfterStart);
    loading_ = false;
    g.handSetUp = false;
    ShowVariantName();  // the file's set-up no longer counts as a change of the variant
    ShowWindowTitle();
    analysisListLive_ = true;
    gameEndShown_ = false;
    UpdateCommandStates();
    UpdatePlayerLabels();
    ShowGameMoveList();
    FillLegalMoveList();
    ShowComment();
    ui_.RedrawBoard();
    ui_.SetWaitCursor(false);
    if (g.gameOver && !heldEndMessage_.empty())
        ui_.Message(heldEndMessage_, ui_.Translate("Game", "Congratulations"), Icon::Exclamation);
    heldEndMessage_.clear();
    if (!contents.complete) {
        ui_.Message(IncompleteGameFileMessage(contents, name, movesLoaded, ui_),
                    ui_.Translate("Game", "Error"), Icon::Exclamation);
        return false;
    }
    return true;
}

}  // namespace zelkor
