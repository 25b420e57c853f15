// The variant dialog: interlocks, the random draw, validation of the fields and what
// OK, Apply and Cancel leave in the active rules.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
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
        game->active = DefaultRules();
        game->defined = DefaultRules();
        for (int side = 0; side < 2; ++side)
            ParseDirections(game->active.directions[side], side, game->directions);
    }
    VariantDialogLogic Make(std::vector<std::string> names = {"Halma", "Corner"}) {
        return VariantDialogLogic(*game, settings, random, ui, std::move(names),
                                  [this](int number) -> std::optional<VariantRules> {
                                      reads.push_back(number);
                                      VariantRules rules = DefaultRules();
                                      rules.name = "Corner";
                                      rules.flags.fill(0);
                                      rules.flag(CapRequired) = 1;
                                      rules.directions = {"N;E NE", "S;W SW"};
                                      rules.home[0].fill(kEmptySlot);
                                      rules.home[0][0] = 98;
                                      return rules;
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
    void opensOnTheActiveRulesAndReadsAChosenVariant() {
        Fixture f;
        f.settings.Variant = 2;
        f.game->active.flag(BlackStarts) = 1;
        VariantDialogLogic logic = f.Make();
        QVERIFY(f.reads.empty());  // the file is not read to open the dialog
        QCOMPARE(logic.selectedIndex(), 1);
        QVERIFY(logic.box(VariantBox::BlackBegins).checked);
        // ManContJump 1 shows "Stop jumping at opponents home squares" unchecked.
        QVERIFY(!logic.box(VariantBox::StopAtOpponentHome).checked);
        QCOMPARE(logic.homeField(0) + "|" + logic.homeField(10), std::string("a8|"));
        QCOMPARE(logic.directionField(3), std::string("NW;N;NE;E;SE;S;SW;W"));

        logic.SelectVariant(1);  // both rule sets take the variant
        QCOMPARE(f.reads, std::vector<int>{2});
        QCOMPARE(f.game->active.name, std::string("Corner"));
        QCOMPARE(f.game->active.flag(CapRequired) + f.game->defined.flag(CapRequired), 2);
        QCOMPARE(f.game->defined.directions[0], std::string("N;E NE"));
        QCOMPARE(logic.directionField(0) + "|" + logic.directionField(2) + "|" + logic.homeField(0),
                 std::string("N;E|NE|h8"));
        QCOMPARE(State(logic, {VariantBox::JumpsMandatory, VariantBox::MostJumps}),
                 std::string("ce - "));
        logic.SetBox(VariantBox::StopAtOpponentHome, true);
        logic.SetBox(VariantBox::FullHome, true);
        QVERIFY(logic.Apply());
        QCOMPARE(int(f.settings.Variant), 2);
        QCOMPARE(f.game->active.flag(ManContJump) * 10 + f.game->active.flag(FullHome), 1);
    }

    void interlocksOfTheJumpBoxes() {
        Fixture f;
        VariantDialogLogic logic = f.Make();
        const auto jumps = {VariantBox::MostJumps, VariantBox::MultipleJumps,
                            VariantBox::JumpsMandatory};
        // Most jumps checks and locks Multiple jumps and locks Jumps mandatory; unchecking it
        // unlocks Multiple jumps, but Jumps mandatory only once Multiple jumps is unchecked.
        const std::pair<VariantBox, bool> steps[] = {
            {VariantBox::MostJumps, true},      {VariantBox::MostJumps, false},
            {VariantBox::MultipleJumps, false}, {VariantBox::MultipleJumps, true},
            {VariantBox::MultipleJumps, false}, {VariantBox::JumpsMandatory, true},
            {VariantBox::JumpsMandatory, false}};
        const char* states[] = {"ce c - ", "e ce - ", "e e e ", nullptr,
                                "e e e ",  "- - ce ", "e e e "};
        for (int i = 0; i < 7; ++i) {
            logic.SetBox(steps[i].first, steps[i].second);
            if (states[i]) QCOMPARE(State(logic, jumps), std::string(states[i]));
        }
        // Multiple squares enables "Stop jumping on first square ...".
        logic.SetBox(VariantBox::MultipleSquares, false);
        QVERIFY(!logic.box(VariantBox::StopOnFirstSquare).enabled);
        logic.SetBox(VariantBox::MultipleSquares, true);
        QVERIFY(logic.box(VariantBox::StopOnFirstSquare).enabled);
    }

    void randomDrawsOnlyTheFlags() {
        Fixture f;
        VariantDialogLogic logic = f.Make();
        const HomeSquares home = f.game->active.home;
        const auto directions = f.game->active.directions;
        const DirectionTable table = f.game->directions;
        // Most jumps drawn without Multiple jumps: Multiple jumps unchecked but locked.
        f.random.values = {0.9, 0.1, 0.1, 0.9, 0.1, 0.1, 0.1, 0.9, 0.1, 0.1};
        logic.Random();
        QVERIFY(f.game->active.home == home && f.game->active.directions == directions);
        QVERIFY(f.game->directions == table);
        QCOMPARE(State(logic, {VariantBox::MostJumps, VariantBox::MultipleJumps}),
                 std::string("c - "));
        QCOMPARE(int(f.game->active.flag(MulJumps)), 0);
    }

    void fieldsAreValidated() {
        Fixture f;
        VariantDialogLogic logic = f.Make();
        logic.SetHomeField(0, "a1");
        logic.SetHomeField(12, "H8");
        QVERIFY(logic.Apply());
        QCOMPARE(f.game->active.home[0][0] * 100 + f.game->active.home[0][12], 2198);
        QVERIFY(f.ui.messages.empty());
        for (const char* bad : {"I9", "a9", "1a", "x"}) {
            f.ui.messages.clear();
            logic.SetHomeField(16, bad);
            QVERIFY(!logic.Apply());
            QCOMPARE(logic.invertedField(), 16);
            QCOMPARE(f.ui.messages.size(), size_t(1));
            QCOMPARE(Shown(f.ui.messages[0]), std::string("Error: Illegal entry!"));
        }
        // White's slots were stored before Black's bad field stopped the validation.
        QCOMPARE(f.game->active.home[0][0], 21);
        logic.SetHomeField(16, "");  // editing the field restores its colours
        QCOMPARE(logic.invertedField(), -1);
        QVERIFY(logic.Apply());
        QCOMPARE(f.game->active.home[1][1], kEmptySlot);

        for (const char* text : {"N;NE;E", "nw;s", "", "N;NE;E;SE;S;SW;W;NW"})
            QVERIFY2(DirectionFieldValid(text), text);
        for (const char* text : {"N;NE;E;SE;S;SW;W;NW;N", "N;UP", "N;", "N NE"})
            QVERIFY2(!DirectionFieldValid(text), text);
        logic.SetDirectionField(0, "n;e");
        logic.SetDirectionField(3, "S");
        QVERIFY(logic.Apply());
        QCOMPARE(f.game->active.directions[0], std::string("N;E NW;N;NE;E;SE;S;SW;W"));
        QCOMPARE(f.game->active.directions[1], std::string("NW;N;NE;E;SE;S;SW;W S"));
        const auto& d = f.game->directions;
        QCOMPARE(std::vector<int>({d[0][0], d[0][2], d[3][0]}),
                 std::vector<int>({kNorth, kDirectionEnd, -kSouth}));
        logic.SetDirectionField(1, "N;DOWN");
        const DirectionTable before = f.game->directions;
        QVERIFY(!logic.Apply());
        QCOMPARE(logic.invertedField(), VariantDialogLogic::kFirstDirectionField + 1);
        QVERIFY(f.game->directions == before);
    }

    void widgetsFollowTheLogicAndTheKeyboard() {
        Fixture f;
        VariantDialogLogic logic = f.Make();
        ui::dlgVariants dialog(logic);
        QCOMPARE(dialog.windowTitle(), QString("Variants"));
        auto* most = dialog.findChild<QCheckBox*>("chkMaxCapMove");
        auto* multiple = dialog.findChild<QCheckBox*>("chkMulJumps");
        QCOMPARE(most->text(), QString("Move with most jumps mandatory"));
        most->click();
        QVERIFY(multiple->isChecked() && !multiple->isEnabled());
        QVERIFY(!dialog.findChild<QCheckBox*>("chkCapRequired")->isEnabled());
        auto* field = dialog.findChild<QLineEdit*>("txtHome3");
        QCOMPARE(field->text(), QString("d8"));
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, "I9");
        dialog.findChild<QPushButton*>("cmdApply")->click();
        QVERIFY(field->styleSheet().contains("background: black"));
        QCOMPARE(f.ui.messages.size(), size_t(1));
        QTest::keyClick(field, Qt::Key_Backspace);
        QVERIFY(field->styleSheet().contains("background: white"));
        QVERIFY(dialog.sizeHint().width() <= 1280 && dialog.sizeHint().height() <= 760);

        Fixture k;
        VariantDialogLogic keys = k.Make();
        ui::dlgVariants keyboard(keys);
        keyboard.show();
        QVERIFY(QTest::qWaitForWindowExposed(&keyboard));
        keyboard.findChild<QComboBox*>("cboVariants")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("chkBlackStarts"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // OK is the default
        QCOMPARE(keyboard.result(), int(QDialog::Accepted));
        QCOMPARE(int(k.game->active.flag(BlackStarts)), 1);
        ui::dlgVariants again(keys);
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        QTest::keyClick(&again, Qt::Key_Escape);
        QCOMPARE(again.result(), int(QDialog::Rejected));
    }

    void cancelKeepsWhatApplyAndRandomStored() {
        Fixture f;
        VariantDialogLogic logic = f.Make();
        ui::dlgVariants dialog(logic);
        dialog.findChild<QCheckBox*>("chkHomeLess")->click();
        dialog.findChild<QPushButton*>("cmdApply")->click();
        dialog.findChild<QCheckBox*>("chkFullHome")->click();
        dialog.findChild<QPushButton*>("cmdCancel")->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(f.game->active.flag(HomeLess) * 10 + f.game->active.flag(FullHome), 10);

        Fixture g;
        VariantDialogLogic second = g.Make();
        ui::dlgVariants again(second);
        g.random.fallback = 0.75;
        again.findChild<QPushButton*>("cmdRandom")->click();
        again.findChild<QPushButton*>("cmdCancel")->click();
        for (int flag = 0; flag < kRuleFlagCount; ++flag)
            QCOMPARE(g.game->active.flags[flag], uint8_t(1));
    }
};

QTEST_MAIN(VariantDialogTest)
#include "variant_dialog_test.moc"
