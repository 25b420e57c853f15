// The main window's side of UserInterface: what the game controller writes to the screen,
// the message boxes and the file dialogs.
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>

#include "ui/board_view.h"
#include "ui/book_dialog.h"
#include "ui/main_window.h"
#include "ui/score_graph_view.h"
#include "ui/variant_dialog_window.h"

namespace zelkor::ui {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// "Games (*.zlk)|*.zlk" style filters become Qt's "Games (*.zlk)".
QString QtFilter(const std::string& filter) {
    const QStringList parts = Q(filter).split('|');
    if (parts.size() < 2) return Q(filter);
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        if (!description.contains('(')) description += " (" + parts[i + 1] + ")";
        filters << description;
    }
    return filters.join(";;");
}

// Wide enough for the whole title beside the title bar's buttons; a message box is
// otherwise only as wide as its text. Done last, as setting the icon or the buttons
// rebuilds the box's layout.
void WidenForTitle(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    const int width = box.fontMetrics().horizontalAdvance(box.windowTitle()) * 3 / 2 + 160;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

std::string frmMain::Translate(const char* context, const char* text) const {
    return QCoreApplication::translate(context, text).toStdString();
}

void frmMain::SetText(Display display, const std::string& text) {
    if (display == Display::WindowTitle) {
        setWindowTitle(Q(text));
        return;
    }
    const auto it = displays_.find(display);
    if (it == displays_.end()) return;
    if (auto* label = qobject_cast<QLabel*>(it->second))
        label->setText(Q(text));
    else if (auto* edit = qobject_cast<QLineEdit*>(it->second))
        edit->setText(Q(text));
}

std::string frmMain::Text(Display display) const {
    if (display == Display::WindowTitle) return windowTitle().toStdString();
    const auto it = displays_.find(display);
    if (it == displays_.end()) return {};
    if (auto* label = qobject_cast<QLabel*>(it->second)) return label->text().toStdString();
    if (auto* edit = qobject_cast<QLineEdit*>(it->second)) return edit->text().toStdString();
    return {};
}

void frmMain::HighlightSideToMove(bool firstSide) {
    // The side to move: white text on red; the other: red text on white.
    const QString toMove = "QLabel { background: rgb(255,0,0); color: white; }";
    const QString waiting = "QLabel { background: white; color: rgb(255,0,0); }";
    firstName_->setStyleSheet(firstSide ? toMove : waiting);
    secondName_->setStyleSheet(firstSide ? waiting : toMove);
}

void frmMain::SetEnabled(Command command, bool enabled) {
    const auto it = commandTargets_.find(command);
    if (it == commandTargets_.end()) return;
    for (QObject* target : it->second) {
        if (auto* action = qobject_cast<QAction*>(target))
            action->setEnabled(enabled);
        else if (auto* widget = qobject_cast<QWidget*>(target)) {
            if (!enabled) ParkFocus(widget);
            widget->setEnabled(enabled);
            if (enabled) ReturnFocus(widget);
        }
    }
}

void frmMain::SetChecked(Command command, bool checked) {
    const auto it = commandTargets_.find(command);
    if (it == commandTargets_.end()) return;
    for (QObject* target : it->second)
        if (auto* action = qobject_cast<QAction*>(target))
            if (action->isCheckable()) action->setChecked(checked);
}

void frmMain::SetListLines(ListId id, const std::vector<std::string>& lines) {
    QListWidget* list = id == ListId::GameMoves    ? gameMoves_
                        : id == ListId::LegalMoves ? legalMoves_
                                                   : analysis_;
    list->clear();
    for (const std::string& line : lines)
        list->addItem(Q(line));
}

void frmMain::SelectListLine(ListId id, int line) {
    if (id == ListId::GameMoves) scoreGraph_->update();
    QListWidget* list = id == ListId::GameMoves    ? gameMoves_
                        : id == ListId::LegalMoves ? legalMoves_
                                                   : analysis_;
    if (line < 0 || line >= list->count()) {
        list->clearSelection();
        list->setCurrentRow(-1);
        return;
    }
    list->setCurrentRow(line);
    list->scrollToItem(list->item(line));
}

void frmMain::SetProgressMaximum(int maximum) {
    progress_->setMaximum(std::max(1, maximum));
}

void frmMain::SetProgressValue(int value) {
    progress_->setValue(std::clamp(value, progress_->minimum(), progress_->maximum()));
}

void frmMain::ShowCountdown(bool countdown) {
    progress_->setVisible(!countdown);
    countdown_->setVisible(countdown);
}

void frmMain::RedrawBoard() {
    board_->Redraw();
    // Painted now: a dropped man must not wait for the scoring or the reply that follow.
    // A game being loaded (under the wait cursor) redraws at every ply; there at most every
    // 40 ms, and the event loop paints the last one.
    const bool throttled = waitCursor_ && sinceRepaint_.isValid() && sinceRepaint_.elapsed() <= 40;
    if (board_->isVisible() && !throttled) {
        board_->repaint();
        sinceRepaint_.restart();
    }
    scoreGraph_->update();
    highlightsShown_ = false;
    const GameState& g = controller_->game();
    const bool blackFirst = g.active.flag(BlackStarts) == 1;
    const int white = HomeCount(g, 0);
    const int black = HomeCount(g, 1);
    SetText(Display::FirstHomeCount, std::to_string(blackFirst ? black : white));
    SetText(Display::SecondHomeCount, std::to_string(blackFirst ? white : black));
}

void frmMain::ShowHint(const std::vector<int>& stops, const std::vector<int>& passed) {
    board_->ShowHint(MoveRoute{stops, passed});
    if (board_->isVisible()) board_->repaint();  // before the hint's box opens
}

void frmMain::SetWaitCursor(bool waiting) {
    if (waiting == waitCursor_) return;
    waitCursor_ = waiting;
    if (waiting)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

Answer frmMain::Message(const std::string& text, const std::string& title, Icon icon,
                        Buttons buttons) {
    if (messageHook) return messageHook(text, title, icon, buttons);
    QMessageBox box(this);
    box.setWindowTitle(Q(title));
    box.setText(Q(text));
    switch (icon) {
        case Icon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case Icon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case Icon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case Icon::None:
            break;
    }
    if (buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        WidenForTitle(box);
        return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    WidenForTitle(box);
    box.exec();
    return Answer::Ok;
}

std::optional<std::string> frmMain::ChosenFile(std::optional<std::string> chosen,
                                               const std::string& filter, bool save) {
    if (!chosen || chosen->empty()) return std::nullopt;
    QString name = Q(*chosen);
    // A name typed without an extension gets the filter's, e.g. ".zlk".
    const QString pattern = QtFilter(filter).section('(', 1).section(')', 0, 0).section(' ', 0, 0);
    if (save && QFileInfo(name).suffix().isEmpty() && pattern.startsWith("*.") &&
        pattern.size() > 2)
        name += pattern.mid(1);
    fileFolder_ = QFileInfo(name).absolutePath();
    return QFile::encodeName(name).toStdString();
}

std::optional<std::string> frmMain::AskSaveFile(const std::string& title,
                                                const std::string& filter) {
    if (fileHook) return ChosenFile(fileHook(true, title), filter, true);
    // The program asks before overwriting, with its own question.
    const QString name = QFileDialog::getSaveFileName(this, Q(title), fileFolder_, QtFilter(filter),
                                                      nullptr, QFileDialog::DontConfirmOverwrite);
    return ChosenFile(name.toStdString(), filter, true);
}

std::optional<std::string> frmMain::AskOpenFile(const std::string& title,
                                                const std::string& filter) {
    if (fileHook) return ChosenFile(fileHook(false, title), filter, false);
    const QString name =
        QFileDialog::getOpenFileName(this, Q(title), fileFolder_, QtFilter(filter));
    return ChosenFile(name.toStdString(), filter, false);
}

std::string frmMain::ChooseBookMove(const std::vector<std::string>& lines,
                                    const std::string& gamesLabel, const std::string& movesLabel) {
    frmBook book(lines, gamesLabel, movesLabel, this);
    // 5100 twips right of and 1000 twips below the window's corner.
    const double pixelsPerTwip = logicalDpiX() / 1440.0;
    book.move(frameGeometry().topLeft() + QPoint(static_cast<int>(5100 * pixelsPerTwip),
                                                 static_cast<int>(1000 * pixelsPerTwip)));
    ExecDialog(&book);
    return book.SelectedText();
}

void frmMain::ShowVariantDialog() {
    std::vector<std::string> names = variantNames ? variantNames() : std::vector<std::string>{};
    VariantDialogLogic logic(controller_->game(), controller_->settings(), random_, *this,
                             std::move(names), variantReader);
    dlgVariants dialog(logic, this);
    ExecDialog(&dialog);
}

void frmMain::ProcessEvents() {
    // Called at every search node: look at the clock only every 64th call, and let the
    // window breathe only every few milliseconds.
    if ((++eventCalls_ & 63) != 0) return;
    if (sinceEvents_.elapsed() < 15) return;
    QCoreApplication::processEvents();
    sinceEvents_.restart();
}

void frmMain::CloseSecondaryWindows() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget != this) widget->close();
}

void frmMain::Terminate() {
    CloseSecondaryWindows();
    std::exit(EXIT_FAILURE);
}

}  // namespace zelkor::ui
