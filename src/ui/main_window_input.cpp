// The main window's mouse and keyboard handling: the board's pointer events, the set-up
// popup, Enter in the move lists, the Ctrl shortcuts in the text boxes and where the
// keyboard focus goes while a computation runs.
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <algorithm>

#include "game/board_marks.h"
#include "ui/board_view.h"
#include "ui/main_window.h"

namespace zelkor::ui {

bool frmMain::CommandKeyWins(const QLineEdit* box, const QKeyEvent& key) const {
    const QKeySequence pressed(key.keyCombination());
    // Once the move box has nothing of its own to undo, Ctrl+Z takes back the last move.
    if (box == typedMove_ && pressed == QKeySequence("Ctrl+Z")) return !box->isUndoAvailable();
    for (const CommandEntry& entry : CommandTable()) {
        if (!*entry.shortcut || QKeySequence(entry.shortcut) != pressed) continue;
        // In the comment box the user's own selected text can still be copied, cut or
        // replaced by pasting; a move is too short to be worth it in the move box.
        const bool editing = pressed == QKeySequence("Ctrl+C") ||
                             pressed == QKeySequence("Ctrl+X") || pressed == QKeySequence("Ctrl+V");
        return !(box == comment_ && editing && box->hasSelectedText());
    }
    return false;
}

void frmMain::ParkFocus(QWidget* disabled) {
    // Left alone, Qt hands the focus of a disabled widget to the next one, the comment
    // box, where the user's next typed move would end up. The board holds it instead.
    QWidget* focused = focusWidget();
    if (!focused || (focused != disabled && !disabled->isAncestorOf(focused))) return;
    focusParkedFrom_ = focused;
    board_->setFocus(Qt::OtherFocusReason);
}

void frmMain::ReturnFocus(QWidget* enabled) {
    if (!focusParkedFrom_ || focusParkedFrom_ != enabled) return;
    // Unless the user has put the focus somewhere else meanwhile.
    if (focusWidget() == board_) enabled->setFocus(Qt::OtherFocusReason);
    focusParkedFrom_ = nullptr;
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride &&
        (watched == typedMove_ || watched == comment_)) {
        // Not accepting the override lets the key reach the menu's shortcut.
        if (CommandKeyWins(static_cast<QLineEdit*>(watched), *static_cast<QKeyEvent*>(event))) {
            event->ignore();
            return true;
        }
    }
    if (event->type() == QEvent::ShortcutOverride &&
        (watched == legalMoves_ || watched == analysis_)) {
        // The lists of moves to choose from keep Home and End for their own lines.
        const int k = static_cast<QKeyEvent*>(event)->key();
        if (k == Qt::Key_Home || k == Qt::Key_End) {
            event->accept();
            return true;  // the list keeps the key
        }
    }
    if (watched == board_) {
        if (event->type() == QEvent::ShortcutOverride && board_->cursorSquare() != 0) {
            // The arrows and Home/End move the cursor while it is shown.
            const int k = static_cast<QKeyEvent*>(event)->key();
            if (k == Qt::Key_Left || k == Qt::Key_Right || k == Qt::Key_Home || k == Qt::Key_End) {
                event->accept();
                return true;
            }
        }
        if (event->type() == QEvent::FocusIn) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
                board_->SetCursorSquare(board_->cursorSquare() ? board_->cursorSquare()
                                                               : SquareNumber("E4"));
        }
        if (event->type() == QEvent::FocusOut && held_ == 0) board_->SetCursorSquare(0);
        if (event->type() == QEvent::KeyPress && BoardKey(*static_cast<QKeyEvent*>(event)))
            return true;  // the board has used the key
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (watched == board_ && plain && key->text().size() == 1 &&
            key->text()[0].isLetterOrNumber() && typedMove_->isEnabled()) {
            typedMove_->setFocus(Qt::OtherFocusReason);
            typedMove_->insert(key->text());
            return true;  // the key is the move box's now
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            auto* list = qobject_cast<QListWidget*>(watched);
            if (list && list->currentRow() >= 0) {
                const int row = list->currentRow();
                if (list == legalMoves_)
                    Run([this, row] { controller_->LegalMoveChosen(row); });
                else if (list == analysis_)
                    Run([this, row] { controller_->AnalysisMoveChosen(row); });
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// --- Board keyboard handling -------------------------------------------------------------------

bool frmMain::BoardKey(const QKeyEvent& key) {
    const bool turned = controller_->settings().BoardTurned != 0;
    int cursor = board_->cursorSquare();
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    const int k = key.key();
    if (k == Qt::Key_Space && cursor == 0) {  // Space shows the cursor first
        board_->SetCursorSquare(SquareNumber("E4"));
        return true;
    }
    if (cursor == 0) return false;
    const int index = DisplayIndexOf(cursor, turned);
    int row = index / 8, column = index % 8;
    switch (k) {
        case Qt::Key_Up:
            row = std::max(0, row - 1);
            break;
        case Qt::Key_Down:
            row = std::min(7, row + 1);
            break;
        case Qt::Key_Left:
            column = std::max(0, column - 1);
            break;
        case Qt::Key_Right:
            column = std::min(7, column + 1);
            break;
        case Qt::Key_Home:
            column = 0;
            break;
        case Qt::Key_End:
            column = 7;
            break;
        case Qt::Key_Escape:
            if (held_ != 0) {
                held_ = 0;
                RedrawBoard();
            } else {
                board_->SetCursorSquare(0);
            }
            return true;  // Escape ends a hold or hides the cursor
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            const GameSession& g = controller_->game();
            if (g.busy || g.gameOver) return true;
            if (held_ == 0) {
                Run([this, cursor] {
                    if (controller_->CanStartDrag(cursor)) {
                        held_ = cursor;
                        board_->HighlightSquare(cursor);
                        ShowPickUpMarks(cursor);
                    } else {
                        ShowPickUpMarks(0);
                    }
                });
            } else {
                const int from = held_;
                held_ = 0;
                Run([this, from, cursor] { controller_->BoardDrop(from, cursor); });
            }
            // The square is told anew, for a screen reader.
            board_->SetCursorSquare(board_->cursorSquare());
            return true;  // the man is taken up or put down
        }
        default:
            return false;
    }
    cursor = SquareOfDisplayIndex(row * 8 + column, turned);
    board_->SetCursorSquare(cursor);
    return true;
}

void frmMain::ShowPickUpMarks(int square) {
    GameSession& g = controller_->game();
    const BoardFeedback& feedback = controller_->feedback();
    if (square != 0 && feedback.reachable) board_->ShowReachable(ReachableSquares(g, square));
    // A compulsory jump: the men that must move.
    if (feedback.reachable || feedback.reasons) board_->ShowMustMove(MenThatMustJump(g));
}

// --- Board pointer handling --------------------------------------------------------------------

void frmMain::ShowHighlights() {
    for (int square : controller_->MovableSquares())
        board_->HighlightSquare(square);
}

void frmMain::BoardPressed(int square, Qt::MouseButton button, QPoint) {
    const GameSession& g = controller_->game();
    if (g.busy || popupSquare_ != 0 || controller_->pressSuppressed()) return;
    if (button == Qt::RightButton) {
        // Empty squares take the set-up popup too, so men can be placed on them.
        popupSquare_ = square;
        return;
    }
    board_->SetCursorSquare(0);  // the mouse takes over from the keyboard
    if (button != Qt::LeftButton || g.board[square] == kEmpty || g.gameOver) return;
    Run([this, square] {
        if (!controller_->CanStartDrag(square)) {
            if (controller_->game().board[square] == controller_->game().side) ShowPickUpMarks(0);
            board_->update();
            return;
        }
        held_ = square;
        dragCursorShown_ = false;
        if (controller_->settings().ShowMoves) {
            board_->HighlightSquare(square);
            ShowHighlights();
        }
        ShowPickUpMarks(square);
    });
}

void frmMain::BoardMoved(int, QPoint position) {
    const GameSession& g = controller_->game();
    if (g.busy || g.gameOver) return;
    controller_->BoardPointerMoved();
    if (controller_->settings().ShowMoves && !highlightsShown_) {
        highlightsShown_ = true;
        ShowHighlights();
    }
    if (held_ != 0 && !dragCursorShown_) {
        board_->setCursor(board_->PieceCursor(g.board[held_]));
        dragCursorShown_ = true;
    }
    if (held_ != 0) board_->ShowDragged(held_, position);
}

void frmMain::BoardReleased(int square, Qt::MouseButton button, QPoint position) {
    if (button == Qt::RightButton) {
        const int pressed = popupSquare_;
        popupSquare_ = 0;
        if (controller_->game().busy) return;
        if (held_ == 0 && pressed != 0 && square == pressed)
            OpenSetupPopup(pressed, board_->mapToGlobal(position));
        return;
    }
    if (button != Qt::LeftButton || held_ == 0) return;
    board_->unsetCursor();
    board_->ClearDragged();
    const int from = held_;
    held_ = 0;
    dragCursorShown_ = false;
    popupSquare_ = 0;
    Run([this, from, square] { controller_->BoardDrop(from, square); });
    board_->update();
}

void frmMain::BoardLeft() {
    if (controller_->settings().ShowMoves) highlightsShown_ = false;
}

void frmMain::OpenSetupPopup(int square, QPoint position) {
    const int value = controller_->game().board[square];
    setupActions_["empty1"]->setChecked(value == kEmpty);
    setupActions_["mnu_PopUp_BlackChecker"]->setChecked(value == kBlackMan);
    setupActions_["Whitechecker"]->setChecked(value == kWhiteMan);
    const bool white = controller_->game().side == kWhite;
    setupActions_["WhiteM"]->setChecked(white);
    setupActions_["mnu_PopUp_BlackM"]->setChecked(!white);
    popupSquare_ = square;
    Run([this, position] {
        if (popupHook) {
            if (QAction* chosen = popupHook(setupMenu_)) chosen->trigger();
        } else {
            setupMenu_->exec(position);
        }
        popupSquare_ = 0;
        controller_->SetupPopupClosed();
    });
}

}  // namespace zelkor::ui
