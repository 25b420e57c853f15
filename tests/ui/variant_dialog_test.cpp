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

}  // namespace

class VariantDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void opensOnTheActiveRulesWithoutReadingTheFile() {
        Fixture f;
        f.settings.Variant = 2;
        f.game->active.flag(BlackStarts) = 1;
        VariantDialogLogic logic = f.Make();
        QVERIFY(f.reads.empty());
        QCOMPARE(logic.selectedIndex(), 1);
        QVERIFY(logic.box(VariantBox::BlackBegins).checked);
        // ManContJump 1 shows the "Stop jumping at opponents home squares" box unchecked.
        QVERIFY(!logic.box(VariantBox::StopAtOpponentHome).checked);
        QCOMPARE(logic.homeField(0), std::string("a8"));
        QCOMPARE(logic.homeField(10), std::string(""));
        QCOMPARE(logic.directionField(0), std::string("NW;N;NE;E;SE;S;SW;W"));
        QCOMPARE(logic.directionField(3), std::string("NW;N;NE;E;SE;S;SW;W"));
    }

    void choosingAVariantReadsItIntoBothRuleSets() {
        Fixture f;
        VariantDialogLogic logic = f.Make();
        logic.SelectVariant(1);
        QCOMPARE(f.reads, std::vector<int>{2});
        QCOMPARE(f.game->active.name, std::string("Corner"));
        QCOMPARE(f.game->active.flag(CapRequired), uint8_t(1));
        QCOMPARE(f.game->defined.flag(CapRequired), uint8_t(1));
        QCOMPARE(f.game->defined.directions[0], std::string("N;E NE"));
        QCOMPARE(logic.directionField(0), std::string("N;E"));
        QCOMPARE(logic.directionField(2), std::string("NE"));
        QCOMPARE(logic.homeField(0), std::string("h8"));
        QVERIFY(logic.box(VariantBox::JumpsMandatory).checked);
        QVERIFY(!logic.box(VariantBox::MostJumps).enabled);
    }

    void interlocksOfTheJumpBoxes() {
        Fixture f;
        VariantDialogLogic logic = f.Make();
        // Most jumps checks and locks Multiple jumps and locks Jumps mandatory.
        logic.SetBox(VariantBox::MostJumps, true);
        QVERIFY(logic.box(VariantBox::MultipleJumps).checked);
        QVERIFY(!logic.box(VariantBox::MultipleJumps).enabled);
        QVERIFY(!logic.box(VariantBox::JumpsMandatory).enabled);
        // Unchecking it unlocks Multiple jumps, but Jumps mandatory only once Multiple
        // jumps is unchecked too.
        logic.SetBox(VariantBox::MostJumps, false);
        QVERIFY(logic.box(VariantBox::MultipleJumps).enabled);
        QVERIFY(logic.box(VariantBox::MultipleJumps).checked);
        QVERIFY(!logic.box(VariantBox::JumpsMandatory).enabled);
        logic.SetBox(VariantBox::MultipleJumps, false);
        QVERIFY(logic.box(VariantBox::JumpsMandatory).enabled);
        // Jumps mandatory locks both other jump boxes and unchecks neither.
        logic.SetBox(VariantBox::MultipleJumps, true);
        logic.SetBox(VariantBox::MultipleJumps, false);
        logic.SetBox(VariantBox::JumpsMandatory, true);
        QVERIFY(!logic.box(VariantBox::MostJumps).enabled);
        QVERIFY(!logic.box(VariantBox::MultipleJumps).enabled);
        logic.SetBox(VariantBox::JumpsMandatory, false);
        QVERIFY(logic.box(VariantBox::MostJumps).enabled);
        QVERIFY(logic.box(VariantBox::MultipleJumps).enabled);
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
        // Drawing order: MaxCapMove, MulJumps, BlackStarts, CapRequired, HomeLess,
        // FullHome, OutofHome, ManContJump, LongKings, KingFirst.
        f.random.values = {0.1, 0.2, 0.7, 0.3, 0.9, 0.4, 0.6, 0.0, 0.8, 0.99};
        logic.Random();
        const VariantRules& r = f.game->active;
        QCOMPARE(r.flag(MaxCapMove), uint8_t(0));
        QCOMPARE(r.flag(BlackStarts), uint8_t(1));
        QCOMPARE(r.flag(HomeLess), uint8_t(1));
        QCOMPARE(r.flag(OutofHome), uint8_t(1));
        QCOMPARE(r.flag(ManContJump), uint8_t(0));
        QCOMPARE(r.flag(KingFirst), uint8_t(1));
        QVERIFY(logic.box(VariantBox::StopAtOpponentHome).checked);
        QVERIFY(logic.box(VariantBox::BlackBegins).checked);
        QVERIFY(f.game->active.home == home);
        QVERIFY(f.game->active.directions == directions);
        QVERIFY(f.game->directions == table);
        QCOMPARE(logic.homeField(0), std::string("a8"));
        QCOMPARE(logic.directionField(1), std::string("NW;N;NE;E;SE;S;SW;W"));
    }

    void randomMostJumpsWithoutMultipleJumpsLeavesItUncheckedButLocked() {
        Fixture f;
        VariantDialogLogic logic = f.Make();
        f.random.values = {0.9, 0.1, 0.1, 0.9, 0.1, 0.1, 0.1, 0.9, 0.1, 0.1};
        logic.Random();
        QVERIFY(logic.box(VariantBox::MostJumps).checked);
        QVERIFY(!logic.box(VariantBox::MultipleJumps).checked);
        QVERIFY(!logic.box(VariantBox::MultipleJumps).enabled);
        QCOMPARE(f.game->active.flag(MulJumps), uint8_t(0));
    }

    void homeSquareFieldsAreValidated() {
        Fixture f;
        VariantDialogLogic logic = f.Make();
        logic.SetHomeField(0, "a1");
        logic.SetHomeField(12, "H8");
        QVERIFY(logic.Apply());
        QCOMPARE(f.game->active.home[0][0], 21);
        QCOMPARE(f.game->active.home[0][12], 98);
        QVERIFY(f.ui.messages.empty());

        for (const char* bad : {"I9", "a9", "1a", "x"}) {
            f.ui.messages.clear();
            logic.SetHomeField(16, bad);
            QVERIFY(!logic.Apply());
            QCOMPARE(logic.invertedField(), 16);
            QCOMPARE(f.ui.messages.size(), size_t(1));
            QCOMPARE(f.ui.messages[0].text, std::string("Illegal entry!"));
            QCOMPARE(f.ui.messages[0].title, std::string("Error"));
            QVERIFY(f.ui.messages[0].icon == Icon::Exclamation);
        }
        // White's slots were stored before Black's bad field stopped the validation.
        QCOMPARE(f.game->active.home[0][0], 21);
        // Editing the field restores its colours.
        logic.SetHomeField(16, "");
        QCOMPARE(logic.invertedField(), -1);
        QVERIFY(logic.Apply());
        QCOMPARE(f.game->active.home[1][1], kEmptySlot);
    }

    void directionFieldsAreValidated() {
        QVERIFY(DirectionFieldValid("N;NE;E"));
        QVERIFY(DirectionFieldValid("nw;s"));
        QVERIFY(DirectionFieldValid(""));
        QVERIFY(DirectionFieldValid("N;NE;E;SE;S;SW;W;NW"));
        QVERIFY(!DirectionFieldValid("N;NE;E;SE;S;SW;W;NW;N"));
        QVERIFY(!DirectionFieldValid("N;UP"));
        QVERIFY(!DirectionFieldValid("N;"));
        QVERIFY(!DirectionFieldValid("N NE"));

        Fixture f;
        VariantDialogLogic logic = f.Make();
        logic.SetDirectionField(0, "n;e");
        logic.SetDirectionField(3, "S");
        QVERIFY(logic.Apply());
        QCOMPARE(f.game->active.directions[0], std::string("N;E NW;N;NE;E;SE;S;SW;W"));
        QCOMPARE(f.game->active.directions[1], std::string("NW;N;NE;E;SE;S;SW;W S"));
        QCOMPARE(int(f.game->directions[0][0]), kNorth);
        QCOMPARE(int(f.game->directions[0][2]), kDirectionEnd);
        QCOMPARE(int(f.game->directions[3][0]), -kSouth);

        logic.SetDirectionField(1, "N;DOWN");
        const DirectionTable before = f.game->directions;
        QVERIFY(!logic.Apply());
        QCOMPARE(logic.invertedField(), VariantDialogLogic::kFirstDirectionField + 1);
        QVERIFY(f.game->directions == before);
    }

    void applyStoresVariantNumberAndFlags() {
        Fixture f;
        VariantDialogLogic logic = f.Make();
        logic.SelectVariant(1);
        logic.SetBox(VariantBox::StopAtOpponentHome, true);
        logic.SetBox(VariantBox::FullHome, true);
        QVERIFY(logic.Apply());
        QCOMPARE(int(f.settings.Variant), 2);
        QCOMPARE(f.game->active.flag(ManContJump), uint8_t(0));
        QCOMPARE(f.game->active.flag(FullHome), uint8_t(1));
    }

    void widgetsFollowTheLogic() {
        Fixture f;
        VariantDialogLogic logic = f.Make();
        ui::dlgVariants dialog(logic);
        QCOMPARE(dialog.windowTitle(), QString("Variants"));
        auto* most = dialog.findChild<QCheckBox*>("chkMaxCapMove");
        auto* multiple = dialog.findChild<QCheckBox*>("chkMulJumps");
        auto* mandatory = dialog.findChild<QCheckBox*>("chkCapRequired");
        QVERIFY(most && multiple && mandatory);
        QCOMPARE(most->text(), QString("Move with most jumps mandatory"));
        most->click();
        QVERIFY(multiple->isChecked());
        QVERIFY(!multiple->isEnabled());
        QVERIFY(!mandatory->isEnabled());

        auto* field = dialog.findChild<QLineEdit*>("txtHome3");
        QVERIFY(field);
        QCOMPARE(field->text(), QString("d8"));
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, "I9");
        dialog.findChild<QPushButton*>("cmdApply")->click();
        QVERIFY(field->styleSheet().contains("background: black"));
        QCOMPARE(f.ui.messages.size(), size_t(1));
        QTest::keyClick(field, Qt::Key_Backspace);
        QVERIFY(field->styleSheet().contains("background: white"));
        // Fits a 1280 x 800 screen.
        QVERIFY(dialog.sizeHint().width() <= 1280);
        QVERIFY(dialog.sizeHint().height() <= 760);
    }

    void usableFromTheKeyboard() {
        Fixture f;
        VariantDialogLogic logic = f.Make();
        ui::dlgVariants dialog(logic);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.findChild<QComboBox*>("cboVariants")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("chkBlackStarts"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(logic.box(VariantBox::BlackBegins).checked);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // OK is the default
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(f.game->active.flag(BlackStarts), uint8_t(1));

        ui::dlgVariants again(logic);
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
        QCOMPARE(f.game->active.flag(HomeLess), uint8_t(1));
        QCOMPARE(f.game->active.flag(FullHome), uint8_t(0));

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
