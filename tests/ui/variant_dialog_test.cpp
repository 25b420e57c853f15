// The variant dialog: interlocks, the random draw, field validation, OK, Apply and Cancel.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QtTest>
#include <memory>

#include "game/variant_dialog.h"
#include "support/fakes.h"
#include "ui/variant_dialog_window.h"

using namespace zelkor;
using zelkor::test::RecordingUi;
using zelkor::test::ScriptedRandom;

namespace {

struct Fixture {
    std::unique_ptr<GameState> game = std::make_unique<GameState>();
    Settings settings;
    ScriptedRandom random;
    RecordingUi ui;
    std::vector<int> reads;

    Fixture() {
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

class VariantDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void roundTripThroughTheWidgets() {
        Fixture f;
        f.settings.Variant = 2;
        f.game->active.flag(BlackStarts) = 1;
        VariantDialogLogic logic = f.Make();
        QVERIFY(f.reads.empty());  // the file is not read to open the dialog
        QCOMPARE(logic.selectedIndex(), 1);
        QCOMPARE(logic.homeField(0) + "|" + logic.homeField(10) + "|" + logic.directionField(3),
                 std::string("a8||NW;N;NE;E;SE;S;SW;W"));
        logic.SelectVariant(1);  // both rule sets take the variant
        QCOMPARE(f.reads, std::vector<int>{2});
        QCOMPARE(f.game->active.flag(CapRequired) + f.game->defined.flag(CapRequired), 2);
        QCOMPARE(logic.directionField(0) + "|" + logic.directionField(2) + "|" + logic.homeField(0),
                 std::string("N;E|NE|h8"));

        ui::dlgVariants dialog(logic);
        dialog.findChild<QCheckBox*>("chkHomeLess")->click();
        auto* field = dialog.findChild<QLineEdit*>("txtHome3");
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, "I9X");  // two characters at most
        dialog.findChild<QPushButton*>("cmdApply")->click();
        QVERIFY(field->text() == "I9" && field->styleSheet().contains("background: black"));
        QTest::keyClick(field, Qt::Key_Backspace);
        QVERIFY(field->styleSheet().contains("background: white"));
        dialog.findChild<QCheckBox*>("chkFullHome")->click();
        dialog.findChild<QPushButton*>("cmdCancel")->click();  // keeps what Apply stored
        QVERIFY(dialog.result() == QDialog::Rejected && f.settings.Variant == 2);
        QCOMPARE(f.game->active.flag(HomeLess) * 10 + f.game->active.flag(FullHome), 10);

        Fixture k;
        VariantDialogLogic keys = k.Make();
        ui::dlgVariants keyboard(keys);
        keyboard.show();
        QVERIFY(QTest::qWaitForWindowExposed(&keyboard));
        const QPoint offCentre =  // it opens in the middle of the screen, its frame aside
            keyboard.geometry().center() - keyboard.screen()->availableGeometry().center();
        QVERIFY(offCentre.manhattanLength() <= 8);
        // Tab runs from the directions through Black's camp fields, then White's, to OK.
        keyboard.findChild<QLineEdit*>("txtDirection3")->setFocus();
        QStringList visited, expected;
        for (int i = 0; i <= kHomeFieldCount; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
            expected << (i < kHomeFieldCount
                             ? QString("txtHome%1").arg((i + kHomeSlots) % kHomeFieldCount)
                             : QString("cmdOK"));
        }
        QCOMPARE(visited, expected);
        keyboard.findChild<QCheckBox*>("chkBlackStarts")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        keyboard.findChild<QPushButton*>("cmdRandom")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // OK is the default
        QVERIFY(keyboard.result() == QDialog::Accepted && k.game->active.flag(BlackStarts) == 1 &&
                k.settings.Variant == 1);  // the first variant stays the first
    }

    void interlocksAndTheRandomDraw() {
        Fixture f;
        VariantDialogLogic logic = f.Make();
        const auto jumps = {VariantBox::MostJumps, VariantBox::MultipleJumps,
                            VariantBox::JumpsMandatory};
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
        Fixture f;
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
};

QTEST_MAIN(VariantDialogTest)
#include "variant_dialog_test.moc"
