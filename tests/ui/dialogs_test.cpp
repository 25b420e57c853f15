// The dialogs and small windows: options, variants, "Book moves", rules, About, toolbar pictures.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>
#include <memory>

#include "game/rules_text.h"
#include "game/variant_dialog.h"
#include "picture_sum.h"
#include "records/settings_file.h"
#include "support/fakes.h"
#include "ui/app_icon.h"
#include "ui/book_dialog.h"
#include "ui/info_windows.h"
#include "ui/options_dialog.h"
#include "ui/toolbar_icons.h"
#include "ui/variant_dialog_window.h"

using namespace zelkor;
using namespace zelkor::ui;
using namespace zelkor::test;

namespace {

template <typename T>
T* Find(QWidget& dialog, const char* name) {
    T* widget = dialog.findChild<T*>(name);
    if (!widget) qFatal("no control %s", name);
    return widget;
}
auto* Box(QWidget& dialog, const char* name) {
    return Find<QCheckBox>(dialog, name);
}

QRadioButton* Option(QWidget& dialog, const char* name, int index) {
    for (QRadioButton* button : dialog.findChildren<QRadioButton*>(name))
        if (button->property("index").toInt() == index) return button;
    qFatal("no option button %s(%d)", name, index);
}

// A refused field fails the test at once instead of opening a box that waits for a click.
void FailOnMessage(frmOptions& dialog) {
    dialog.messageHook = [](const QString& text, const QString&) {
        QTest::qFail(qPrintable("unexpected message: " + text), __FILE__, __LINE__);
    };
}

struct VariantFixture {
    std::unique_ptr<GameState> game = std::make_unique<GameState>();
    Settings settings;
    ScriptedRandom random;
    RecordingUi ui;
    std::vector<int> reads;

    VariantFixture() {
        game->active = game->defined = DefaultRules();
        for (int side : {0, 1})
            ParseDirections(game->active.directions[side], side, game->directions);
    }
    VariantDialogLogic Make() {
        VariantRules corner = DefaultRules();  // what the file holds for the second variant
        std::tie(corner.name, corner.directions) =
            std::tuple("Corner", std::array<std::string, 2>{"N;E NE", "S;W SW"});
        corner.flags.fill(0);
        corner.flag(CapRequired) = 1;
        corner.home[0].fill(kEmptySlot);
        corner.home[0][0] = 98;
        return VariantDialogLogic(*game, settings, random, ui, {"Halma", "Corner"},
                                  [this, corner](int number) {
                                      reads.push_back(number);
                                      return std::optional(corner);
                                  });
    }
};

// Per box: "c" when checked, "e" when enabled, "-" for neither.
std::string State(const VariantDialogLogic& logic, std::initializer_list<VariantBox> boxes) {
    std::string text;
    for (VariantBox b : boxes) {
        const std::string one =
            std::string(logic.box(b).checked ? "c" : "") + (logic.box(b).enabled ? "e" : "");
        text += (one.empty() ? "-" : one) + " ";
    }
    return text;
}

}  // namespace

namespace {

double Painted(const QImage& image) {  // the share of pixels not transparent
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y).alpha() > 0;
    return double(n) / (image.width() * image.height());
}

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT
  private slots:
    // Two records that differ in every field come back unchanged through OK.
    void okKeepsEverySettingItShows() {
        Settings a;
        a.UseDepth = a.FixedTime = a.BookFromGames = a.UseBook = true;
        a.ShowMoves = a.ChessDrawRules = a.ConfirmExit = a.UseRating = a.AskDraw = false;
        std::tie(a.JumpChar, a.DrawRule15, a.Handicap, a.SearchDepth, a.ThinkTime, a.PlayerName) =
            std::tuple(1, 0, 3, 7, 45, "Ann");
        Settings b;
        b.CapitalLetters = b.ExtendedSearch = b.BruteForce = b.CountdownTimer = 1;
        std::tie(b.FixedTime, b.Handicap, b.ExtendedPlies, b.Balance) = std::tuple(0, 0, 3, 320);
        for (const Settings& original : {a, b}) {
            Settings s = original;
            int rating = 1432;
            frmOptions dialog(s, rating);
            FailOnMessage(dialog);
            QCOMPARE(Option(dialog, "Option1", 1)->isChecked(), original.JumpChar == 1);  // ":"
            const auto* tabs = Find<QTabWidget>(dialog, "tbsOptions");  // the last tab's key
            QCOMPARE(tabs->tabText(3) + tabs->widget(3)->property("key").toString(), "MiscGroup4");
            Find<QPushButton>(dialog, "cmdOK")->click();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(SettingsLines(s), SettingsLines(original));  // every field as in zelkor.ini
        }
    }

    void numberFieldsTakeOnlyWhatTheyCanHold() {
        // (typed plies, typed balance, shown plies, shown balance, name); empty is refused.
        const char* rows[][5] = {
            {"2", "200", "2", "200", "Ann"},       {"9", "5000", "", "500", "Ann"},
            {"abc", "x1", "", "1", "Ann"},         {"-0+3", "0-40", "3", "40", "Ann"},
            {" 3 plies", "751", "3", "75", "Ann"}, {"2", "200", "2", "200", " "}};
        for (auto [typedPlies, typedBalance, shownPlies, shownBalance, name] : rows) {
            Settings s;
            s.ExtendedSearch = 1;
            int rating = 1200;
            frmOptions dialog(s, rating);
            QStringList shown;
            dialog.messageHook = [&](const QString& text, const QString& title) {
                shown << title + ": " + text;
            };
            auto* plies = Find<QLineEdit>(dialog, "Text2");
            auto* balance = Find<QLineEdit>(dialog, "Text3");
            plies->clear();
            balance->clear();
            QTest::keyClicks(plies, typedPlies);
            QTest::keyClicks(balance, typedBalance);
            Find<QLineEdit>(dialog, "Text1")->setText(name);
            QCOMPARE(plies->text() + "|" + balance->text(),
                     QString(shownPlies) + "|" + shownBalance);
            Find<QPushButton>(dialog, "cmdOK")->click();
            const bool refused = !*shownPlies || *name == ' ';
            QCOMPARE(shown, !*shownPlies ? QStringList{"Error: Illegal entry!"}
                            : refused    ? QStringList{"Error: Please enter your name."}
                                         : QStringList{});
            QCOMPARE(dialog.result(), refused ? 0 : int(QDialog::Accepted));
            QCOMPARE(Find<QTabWidget>(dialog, "tbsOptions")->currentIndex(),
                     !*shownPlies   ? 2
                     : *name == ' ' ? 3
                                    : 0);  // the refused field's tab
            QCOMPARE(plies->palette().color(QPalette::Base) == Qt::black, !*shownPlies);  // marked
            QCOMPARE(int(s.ExtendedPlies) * 1000 + int(s.Balance),
                     refused ? 1150 : atoi(shownPlies) * 1000 + atoi(shownBalance));
        }
    }

    void interlockedBoxes() {
        Settings s;
        s.UseDepth = 0;
        s.DrawRule15 = s.ChessDrawRules = s.ExtendedSearch = s.UseBook = 1;
        int rating = 1200;
        frmOptions dialog(s, rating);
        FailOnMessage(dialog);
        QCheckBox *time = Box(dialog, "Check2"), *depth = Box(dialog, "Check1");
        QCheckBox *ten = Box(dialog, "Check10"), *fifteen = Box(dialog, "Check11");
        // Exactly one of time and depth, and of ten and fifteen, stays checked.
        for (QCheckBox* box : {time, depth, depth, time}) {
            box->click();
            QVERIFY(time->isChecked() != depth->isChecked());
        }
        QVERIFY(time->isChecked() && !Find<QSlider>(dialog, "Slider4")->isEnabled());
        for (QCheckBox* box : {ten, ten, fifteen, fifteen, ten}) {
            box->click();
            QVERIFY(ten->isChecked() != fifteen->isChecked());
        }
        Find<QPushButton>(dialog, "cmdApply")->click();
        QCOMPARE(int(s.UseDepth) * 10 + int(s.DrawRule15), ten->isChecked() ? 0 : 1);

        QVERIFY(fifteen->isEnabled());
        Box(dialog, "Check4")->click();  // chess draw rules off
        QVERIFY(!ten->isEnabled() && !fifteen->isEnabled());
        Box(dialog, "Check7")->click();  // extended search off
        QVERIFY(!Find<QLineEdit>(dialog, "Text2")->isEnabled() &&
                !Find<QLineEdit>(dialog, "Text3")->isEnabled());
        Box(dialog, "Check9")->click();  // the book off
        QVERIFY(!Option(dialog, "Option2", 0)->isEnabled() &&
                !Option(dialog, "Option2", 1)->isEnabled());

        // Master, shown only with a choice to edit: chosen, it replaces the strength by threads.
        QCheckBox* master = Box(dialog, "chkMaster");
        auto* threads = Find<QSpinBox>(dialog, "txtThreads");
        QVERIFY(!master->isVisibleTo(&dialog) && Find<QWidget>(dialog, "fraMarks")->isHidden());
        MasterChoice choice{false, 2};
        dialog.EditMaster(&choice);
        QVERIFY(master->isVisibleTo(&dialog) && !master->isChecked() && !threads->isEnabled() &&
                threads->value() == 2 && Find<QSlider>(dialog, "Slider2")->isEnabled());
        master->click();
        QVERIFY(threads->isEnabled() && !Find<QSlider>(dialog, "Slider2")->isEnabled());
        threads->setValue(99);  // beyond the range: the largest it takes
        Find<QPushButton>(dialog, "cmdApply")->click();
        QVERIFY(choice == (MasterChoice{true, kMaxMasterThreads}) && !s.ExtendedSearch &&
                !s.UseBook && !s.ChessDrawRules);
    }

    void resetApplyAndCancel() {
        Settings s;  // each slider at its least, where it starts: their values shown all the same
        std::tie(s.SearchDepth, s.ThinkTime, s.Handicap) = std::tuple(1, 1, 9);
        int rating = 1555;
        frmOptions dialog(s, rating);
        FailOnMessage(dialog);
        QCOMPARE(Find<QLabel>(dialog, "Slider1Value")->text() +
                     Find<QLabel>(dialog, "Slider2Value")->text(),
                 QString("1 sec1"));
        dialog.show();  // Enter on Reset is still OK's key
        Find<QPushButton>(dialog, "Command1")->setFocus();
        QTest::keyClick(Find<QPushButton>(dialog, "Command1"), Qt::Key_Return);
        QVERIFY(rating == 1555 && dialog.result() == QDialog::Accepted);
        Find<QPushButton>(dialog, "Command1")->click();
        QVERIFY(rating == 1200 && dialog.windowTitle() == " Options");  // Reset survives Cancel
        QCOMPARE(Box(dialog, "Check16")->text(), QString("Use Rating (1200)"));
        Find<QLineEdit>(dialog, "Text1")->setText("Cleo");
        Find<QPushButton>(dialog, "cmdApply")->click();
        Find<QLineEdit>(dialog, "Text1")->setText("Dora");
        QTest::keyClick(Find<QSlider>(dialog, "Slider1"), Qt::Key_End);  // shown as it moves
        QCOMPARE(Find<QLabel>(dialog, "Slider1Value")->text(), QString("180 sec"));
        QTest::keyClick(Find<QSlider>(dialog, "Slider2"), Qt::Key_End);
        QCOMPARE(Find<QLabel>(dialog, "Slider2Value")->text(), QString("10"));
        Find<QSlider>(dialog, "Slider4")->setValue(9);
        Find<QPushButton>(dialog, "cmdCancel")->click();
        QVERIFY(dialog.result() == QDialog::Rejected && s.PlayerName == "Cleo");  // Apply's stays
        QCOMPARE(std::tuple(s.SearchDepth, s.ThinkTime, s.Handicap), std::tuple(1, 1, 9));
    }

    void roundTripThroughTheWidgets() {
        VariantFixture f;
        f.settings.Variant = 9;  // a number past the list shows the last name
        QCOMPARE(f.Make().selectedIndex(), 1);
        f.settings.Variant = 2;
        f.game->active.flag(BlackStarts) = 1;
        VariantDialogLogic logic = f.Make();
        QVERIFY(f.reads.empty());  // the file is not read to open the dialog
        QCOMPARE(logic.selectedIndex(), 1);
        QCOMPARE(logic.homeField(0) + "|" + logic.homeField(10) + "|" + logic.directionField(3),
                 std::string("a8||NW;N;NE;E;SE;S;SW;W"));
        for (int index : {2, -1, 1})  // both rule sets take the variant; none past the list
            logic.SelectVariant(index);
        QCOMPARE(f.reads, std::vector<int>{2});
        QVERIFY(f.game->active.flag(CapRequired) + f.game->defined.flag(CapRequired) == 2 &&
                f.game->defined.home[0][0] == 98);  // and the defined rules its camps
        QCOMPARE(logic.directionField(0) + "|" + logic.directionField(2) + "|" + logic.homeField(0),
                 std::string("N;E|NE|h8"));

        logic.SetBox(VariantBox::BlackBegins, true);  // every box shows its rule as it opens
        ui::dlgVariants dialog(logic);
        dialog.findChild<QCheckBox*>("chkHomeLess")->click();
        auto* field = dialog.findChild<QLineEdit*>("txtHome3");
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, "I9X");  // two characters at most
        dialog.findChild<QPushButton*>("cmdApply")->click();
        QVERIFY(field->text() == "I9" && field->styleSheet().contains("background: black") &&
                dialog.findChild<QCheckBox*>("chkBlackStarts")->isChecked());
        QTest::keyClick(field, Qt::Key_Backspace);
        QVERIFY(field->styleSheet().contains("background: white"));
        dialog.findChild<QCheckBox*>("chkFullHome")->click();
        dialog.findChild<QPushButton*>("cmdCancel")->click();  // keeps what Apply stored
        QVERIFY(dialog.result() == QDialog::Rejected && f.settings.Variant == 2);
        QCOMPARE(f.game->active.flag(HomeLess) * 10 + f.game->active.flag(FullHome), 10);

        VariantFixture k;
        VariantDialogLogic keys = k.Make();
        ui::dlgVariants keyboard(keys);
        keyboard.show();
        QVERIFY(QTest::qWaitForWindowExposed(&keyboard));
        const QPoint offCentre =  // it opens in the middle of the screen, its frame aside
            keyboard.geometry().center() - keyboard.screen()->availableGeometry().center();
        QVERIFY(offCentre.manhattanLength() <= 8 &&  // and the list is named by its label
                keyboard.findChild<QLabel*>()->buddy() ==
                    keyboard.findChild<QWidget*>("cboVariants"));
        // Tab runs through White's directions, Black's, then Black's camp fields, White's, to OK.
        keyboard.findChild<QCheckBox*>("chkFullHome")->setFocus();  // the first frame's last box
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("cmdRandom"));
        keyboard.findChild<QLineEdit*>("txtDirection0")->setFocus();
        QStringList visited, expected{"txtDirection2", "txtDirection1", "txtDirection3"};
        for (int i = 0; i < kHomeFieldCount; ++i)
            expected << QString("txtHome%1").arg((i + kHomeSlots) % kHomeFieldCount);
        expected << "cmdOK";
        while (visited.size() < expected.size()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, expected);
        keyboard.findChild<QCheckBox*>("chkBlackStarts")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        for (const char* button : {"cmdApply", "cmdRandom"}) {  // Return on them is OK's
            keyboard.setResult(0);
            keyboard.show();
            QTest::keyClick(keyboard.findChild<QPushButton*>(button), Qt::Key_Return);
            QCOMPARE(keyboard.result(), int(QDialog::Accepted));
        }
        QVERIFY(k.game->active.flag(BlackStarts) == 1 &&
                k.settings.Variant == 1);  // the first variant stays the first
    }

    void interlocksAndTheRandomDraw() {
        VariantFixture f;
        const auto jumps = {VariantBox::MostJumps, VariantBox::MultipleJumps,
                            VariantBox::JumpsMandatory};
        f.game->active.flag(MaxCapMove) = f.game->active.flag(MulJumps) = 1;  // locked as opened
        QCOMPARE(State(f.Make(), jumps), std::string("ce c - "));
        f.game->active.flag(MaxCapMove) = f.game->active.flag(MulJumps) = 0;
        VariantDialogLogic logic = f.Make();
        // Most jumps locks the other two; Jumps mandatory unlocks once Multiple jumps is off.
        const std::tuple<VariantBox, bool, const char*> steps[] = {
            {VariantBox::MostJumps, true, "ce c - "},
            {VariantBox::MostJumps, false, "e ce - "},
            {VariantBox::MultipleJumps, false, "e e e "},
            {VariantBox::JumpsMandatory, true, "- - ce "},
            {VariantBox::JumpsMandatory, false, "e e e "},
            {VariantBox::MultipleSquares, false, "e e e "}};
        for (auto [box, checked, state] : steps) {
            logic.SetBox(box, checked);
            QCOMPARE(State(logic, jumps), std::string(state));
        }
        QVERIFY(!logic.box(VariantBox::StopOnFirstSquare).enabled);
        logic.SetBox(VariantBox::MultipleSquares, true);
        QVERIFY(logic.box(VariantBox::StopOnFirstSquare).enabled);

        const HomeSquares home = f.game->active.home;
        const DirectionTable table = f.game->directions;
        // Most jumps drawn without Multiple jumps: Multiple jumps unchecked but locked.
        f.random.values = {0.9, 0.1, 0.1, 0.9, 0.1, 0.1, 0.1, 0.9, 0.1, 0.1};
        logic.Random();
        QVERIFY(f.game->active.home == home && f.game->directions == table);
        QCOMPARE(State(logic, {VariantBox::MostJumps, VariantBox::MultipleJumps}),
                 std::string("c - "));
        QCOMPARE(int(f.game->active.flag(MulJumps)), 0);
    }

    void badFieldsAreRefused() {
        VariantFixture f;
        VariantDialogLogic logic = f.Make();
        logic.SetHomeField(0, "a1");
        logic.SetHomeField(12, "H8");
        logic.SetDirectionField(0, "n;e");
        logic.SetDirectionField(3, "S");
        QVERIFY(logic.Apply());
        QCOMPARE(f.game->active.home[0][0] * 100 + f.game->active.home[0][12], 2198);
        QCOMPARE(f.game->active.directions[0] + "|" + f.game->active.directions[1],
                 std::string("N;E NW;N;NE;E;SE;S;SW;W|NW;N;NE;E;SE;S;SW;W S"));
        const auto& d = f.game->directions;
        QCOMPARE(std::vector<int>({d[0][0], d[0][2], d[3][0]}),
                 std::vector<int>({kNorth, kDirectionEnd, -kSouth}));
        for (const char* text : {"N;NE;E", "nw;s", "", "N;NE;E;SE;S;SW;W;NW"})
            QVERIFY2(DirectionFieldValid(text), text);
        // Four bad entries in a camp field, then four in a direction field.
        const char* const bad[] = {"I9",   "a9", "1a",  "x", "N;NE;E;SE;S;SW;W;NW;N",
                                   "N;UP", "N;", "N NE"};
        for (int i = 0; i < 8; ++i) {
            const char* text = bad[i];
            const int field = i < 4 ? 16 : VariantDialogLogic::kFirstDirectionField + 1;
            f.ui.messages.clear();
            i < 4 ? logic.SetHomeField(16, text) : logic.SetDirectionField(1, text);
            const DirectionTable before = f.game->directions;
            QVERIFY2(!logic.Apply(), text);
            QCOMPARE(logic.invertedField(), field);
            QVERIFY(f.ui.messages.size() == 1 && f.game->directions == before);
            QCOMPARE(Shown(f.ui.messages[0]), std::string("Error: Illegal entry!"));
            logic.SetHomeField(16, "");  // editing the field restores its colours
            logic.SetDirectionField(1, "");
        }
        QCOMPARE(logic.invertedField(), -1);
        QCOMPARE(f.game->active.home[0][0], 21);  // White's slots stored before Black's bad field
        logic.SetHomeField(16, "I9");
        QVERIFY(!logic.Apply());
        logic.SelectVariant(0);  // another variant's fields carry no old mark
        QCOMPARE(logic.invertedField(), -1);
    }

    void bookDialogHandsBackTheSelectedLine() {
        frmBook book({"c3d4   3", "g6f5   1"}, " 4 games", " 2 moves");
        QCOMPARE(book.windowTitle() + book.findChild<QLabel*>("lblGames")->text() +
                     book.findChild<QLabel*>("lblMoves")->text(),
                 QString("Book moves 4 games 2 moves"));
        auto* list = book.findChild<QListWidget*>("lstBook");
        QCOMPARE(book.SelectedText(), std::string());  // nothing selected
        list->setCurrentRow(1);
        book.findChild<QPushButton*>("cmdOK")->click();
        QVERIFY(book.result() == QDialog::Accepted && book.SelectedText() == "g6f5   1");
    }

    void rulesWindowShowsTheHelpText() {
        // The help's lines stay lines; a turned board names the opposite corners.
        std::string words(600, 'w');  // and a long line wraps
        for (size_t i = 5; i < words.size(); i += 6)
            words[i] = ' ';
        const std::string help = "White plays towards the top left.\nWhite begins." + words;
        frmRules rules("Halma", zelkor::HelpForBoard(help, true), "Black moves first.");
        QCOMPARE(rules.windowTitle(), QString(" Rules for Halma"));
        QCOMPARE(rules.findChild<QLabel*>("lblHelp")->text().toStdString(),
                 "White plays towards the bottom right.\nWhite begins." + words);
        QCOMPARE(zelkor::HelpForBoard(help, false), help);
        QVERIFY(rules.findChild<QLabel*>("lblGuide")->text().contains("\"(M)\""));
        for (const char* name : {"lblHelp", "lblInForce", "lblGuide"}) {  // each can be copied
            auto* label = rules.findChild<QLabel*>(name);
            label->setSelection(0, 5);
            QVERIFY2(label->selectedText() == label->text().left(5), name);
        }
        rules.show();  // the text follows the window's width
        const auto* scroll = rules.findChild<QScrollArea*>();
        QCOMPARE(scroll->widget()->width(), scroll->viewport()->width());
        rules.resize(rules.width(), 3000);  // the texts keep their gaps, the space left is below
        auto at = [&](const char* name) { return rules.findChild<QLabel*>(name)->geometry(); };
        QTRY_VERIFY(at("lblInForceHeading").top() - at("lblHelp").bottom() > 14 &&
                    at("lblGuide").top() - at("lblInForce").bottom() > 14 &&
                    at("lblGuide").bottom() < 1500);
        frmRules empty("Corner", "");
        QCOMPARE(empty.findChild<QLabel*>("lblHelp")->text(), QString("No help available"));
        empty.findChild<QPushButton*>("cmdOK")->click();
        QCOMPARE(empty.result(), int(QDialog::Accepted));
    }

    void aboutWindowLinksToTheManual() {
        frmAbout about(nullptr, "/usr/share/zelkor/manual.md");
        QCOMPARE(about.findChild<QLabel*>("lblProduct")->text() + " " +
                     about.findChild<QLabel*>("lblVersion")->text() + ", " +
                     about.findChild<QLabel*>("lblOwnership")->text(),
                 QString("Zelkor Version 0.24, Copyright (C) 2026 the Zelkor developers"));
        auto* link = about.findChild<LinkLabel*>("lblManual");
        QCOMPARE(link->target(), QString("file:///usr/share/zelkor/manual.md"));
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QCoreApplication::sendEvent(link, &enter);
        QVERIFY(link->font().underline());  // under the pointer, not over the background
        QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), QPointF(1, 1), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&about, &move);
        QVERIFY(!link->font().underline());
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QCOMPARE(about.focusWidget(), about.findChild<QPushButton*>("cmdOK"));
        QObject::disconnect(link, &LinkLabel::clicked, &about, nullptr);  // no manual window
        QSignalSpy opened(link, &LinkLabel::clicked);  // from the keyboard: Return, Enter, Space
        QString counts;
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_A}) {
            QTest::keyClick(link, key);
            counts += QString::number(opened.count());
        }
        QCOMPARE(counts, QString("1233"));
    }

    // Toolbar pictures (enabled, greyed) and the icon as approved; a new drawing pins new sums.
    void everyToolbarPictureIsItsOwnAndAsApproved() {
        QList<QImage> pictures;
        QStringList sums;
        for (const char* key :
             {"New Game", "New Variant", "Open", "Save", "Compute", "Cancel", "First", "Back",
              "Forward", "Last", "Draw", "Resign", "Hint", "ComputerPlayer", "PlayerPlayer",
              "ComputerComputer", "Options", "Analyze", "TurnBoard"}) {
            const QIcon icon = ToolbarIcon(key);
            const QImage picture = icon.pixmap(24, 24).toImage();
            QVERIFY2(!pictures.contains(picture), key);
            pictures << picture << icon.pixmap(QSize(48, 48), QIcon::Disabled).toImage();
            // On a high-density screen the whole picture, at its size.
            const QPixmap sharp = icon.pixmap(QSize(24, 24), 2.0);
            QVERIFY2(sharp.deviceIndependentSize() == QSizeF(24, 24) &&
                         std::abs(Painted(sharp.toImage()) - Painted(picture)) < 0.1,
                     key);
        }
        for (int size : {16, 48, 256})
            pictures << DrawAppIcon(size);
        quint64 all = 0;
        for (const QImage& picture : pictures) {
            const quint64 sum = PictureSum(picture);
            sums << SumText(sum);
            all = (all ^ sum) * 1099511628211ull;
        }
        // The same DejaVu text comes out in one of two ways on the machines we build on.
        QVERIFY2(all == 0x55b85b5b0bf38db5ull || all == 0xc9731da83bcbddd7ull,
                 qPrintable(SumText(all) + ": " + sums.join(' ')));
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
