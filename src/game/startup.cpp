// Start-up and the end of the run.
#include "game/controller.h"
#include "game/master_play.h"
#include "records/log.h"
#include "records/rating.h"
#include "records/settings_file.h"
#include "records/text_file.h"

namespace zelkor {

void GameController::StartUp() {
    GameSession& g = *game_;
    // What a crash left half-written is of no use to anyone.
    RemoveStaleTemporaries(dataDir_);
    rating_ = ReadRatingFile(dataDir_);
    const SettingsReadResult settingsRead = ReadSettings(settings_, dataDir_);
    keepSettingsFile_ = !settingsRead.mayWrite;
    const std::string settingsProblem = SettingsProblemMessage(settingsRead, dataDir_, ui_);
    if (!settingsProblem.empty())
        ui_.Message(settingsProblem, ui_.Translate("Game", "Error"), Icon::Exclamation);
    if (settings_.SearchDepth == 0) settings_.SearchDepth = 2;
    if (settings_.PlayMode > 1) settings_.PlayMode = 0;
    ApplySettingsRules(settings_, g);
    g.playMode = static_cast<PlayMode>(settings_.PlayMode);

    ui_.SetChecked(Command::PiecesDefault, settings_.PieceSet == 0);
    ui_.ShowCountdown(settings_.CountdownTimer == 1 && settings_.UseDepth == 0);

    log_ = std::make_unique<RunLog>();
    if (log_->Open(dataDir_))
        log_->WriteStartupLine(clock_);
    else {
        // The game goes on without a log; the user learns why nothing is logged.
        log_.reset();
        CannotWrite(dataDir_ / "zelkor.log");
    }

    g.handSetUp = false;
    setupMode_ = false;
    SetUpNewGame();
    ClearAnalysisTable();
    ResetGameDisplays();
    master_->choice = ReadMasterChoice(dataDir_);
    ui_.SetText(Display::Strength, StrengthText());
}

void GameController::SaveSettings() {
    StoreActiveRules(*game_, settings_);
    settings_.PlayMode = static_cast<uint8_t>(game_->playMode);
    // The player's own level and name, not a loaded game's.
    Settings written = settings_;
    if (ownLevel_) {
        written.SearchDepth = ownLevel_->searchDepth;
        written.UseDepth = ownLevel_->useDepth;
        written.PlayerName = ownLevel_->playerName;
    }
    if (!keepSettingsFile_ && !WriteSettings(written, dataDir_))
        CannotWrite(dataDir_ / "zelkor.ini");
    if (!WriteMasterChoice(dataDir_, master_->choice)) CannotWrite(dataDir_ / kMasterFileName);
    if (!WriteRatingFile(dataDir_, rating_)) CannotWrite(dataDir_ / "zelkor.rtg");
}

void GameController::CannotWrite(const std::filesystem::path& file) {
    ui_.Message(Fill(ui_.Translate("Game", "Cannot write %1"), {file.string()}),
                ui_.Translate("Game", "Error"), Icon::Exclamation);
}

bool GameController::ConfirmExit() {
    if (settings_.ConfirmExit != 1) return true;
    return ui_.Message(QuitQuestion(ui_.Translate("Game", "Are you sure you want to exit?")),
                       ui_.Translate("Game", "Confirmation"), Icon::Question,
                       Buttons::YesNo) == Answer::Yes;
}

void GameController::Shutdown() {
    if (shutDown_) return;
    GameSession& g = *game_;
    // A search may still be running below this call: ask it to stop; the flag makes the
    // turn loops return at once and keeps the log and the files from being written again.
    if (g.busy) stopRequest_.store(true);
    SaveSettings();
    shutDown_ = true;
    settings_.AskDraw = 0;  // no draw question from a search that finishes after this
    if (log_) log_->Close();
    log_.reset();
}

}  // namespace zelkor
