// The options dialog: loading and reading the settings, the number fields, the slider
// values, the interlocked check boxes, Reset and Cancel, and the tab keys.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QtTest>

#include "ui/options_dialog.h"

using namespace zelkor;
using zelkor::ui::frmOptions;

namespace {

template <typename T>
T* Find(QWidget& dialog, const char* name) {
    T* widget = dialog.findChild<T*>(name);
    if (!widget) qFatal("no control %s", name);
    return widget;
}

QRadioButton* Option(QWidget& dialog, const char* name, int index) {
    for (QRadioButton* button : dialog.findChildren<QRadioButton*>(name))
        if (button->property("index").toInt() == index) return button;
    qFatal("no option button %s(%d)", name, index);
}

}  // namespace

class OptionsDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void loadsEverySetting() {
        Settings s;
        s.Handicap = 3;
        s.SearchDepth = 7;
        s.ThinkTime = 45;
        s.UseDepth = 1;
        s.FixedTime = 0;
        s.JumpChar = 1;
        s.BookFromGames = 1;
        s.DrawRule15 = 0;
        s.ChessDrawRules = 0;
        s.ExtendedSearch = 0;
        s.PlayerName = "Ann";
        int rating = 1432;
        frmOptions dialog(s, rating);
        QCOMPARE(dialog.windowTitle(), QString(" Options"));
        auto* tabs = Find<QTabWidget>(dialog, "tbsOptions");
        QCOMPARE(tabs->count(), 4);
        QCOMPARE(tabs->tabText(0), QString("Computer"));
        QCOMPARE(tabs->tabText(3), QString("Misc"));
        QCOMPARE(Find<QSlider>(dialog, "Slider2")->value(), 7);
        QCOMPARE(Find<QSlider>(dialog, "Slider4")->value(), 7);
        QCOMPARE(Find<QSlider>(dialog, "Slider1")->value(), 45);
        QVERIFY(Find<QCheckBox>(dialog, "Check1")->isChecked());
        QVERIFY(!Find<QCheckBox>(dialog, "Check2")->isChecked());
        QVERIFY(!Find<QSlider>(dialog, "Slider1")->isEnabled());
        QVERIFY(Find<QSlider>(dialog, "Slider4")->isEnabled());
        QVERIFY(Find<QCheckBox>(dialog, "Check12")->isChecked());
        QVERIFY(Option(dialog, "Option1", 1)->isChecked());
        QVERIFY(Option(dialog, "Option2", 1)->isChecked());
        QVERIFY(Find<QCheckBox>(dialog, "Check10")->isChecked());
        QVERIFY(!Find<QCheckBox>(dialog, "Check10")->isEnabled());
        QVERIFY(!Find<QLineEdit>(dialog, "Text2")->isEnabled());
        QCOMPARE(Find<QLineEdit>(dialog, "Text1")->text(), QString("Ann"));
        QCOMPARE(Find<QCheckBox>(dialog, "Check16")->text(), QString("Use Rating (1432)"));
        QCOMPARE(Find<QCheckBox>(dialog, "Check3")->text(), QString("Show available moves"));
        QCOMPARE(Find<QCheckBox>(dialog, "Check8")->text(),
                 QString("Ask for draw if computer thinks it's a draw"));
        QCOMPARE(Find<QPushButton>(dialog, "Command1")->text(), QString("Reset"));
        // Fits a 1280 x 800 screen.
        QVERIFY(dialog.sizeHint().width() <= 1280);
        QVERIFY(dialog.sizeHint().height() <= 760);
    }

    void numberFieldsTakeOnlyWhatTheyCanHold_data() {
        QTest::addColumn<QString>("typedPlies");
        QTest::addColumn<QString>("typedBalance");
        QTest::addColumn<QString>("shownPlies");
        QTest::addColumn<QString>("shownBalance");
        QTest::newRow("in range") << "2"
                                  << "200"
                                  << "2"
                                  << "200";
        QTest::newRow("too large") << "9"
                                   << "5000"
                                   << ""
                                   << "500";
        QTest::newRow("not numbers") << "abc"
                                     << "x1"
                                     << ""
                                     << "1";
        QTest::newRow("signs and zero") << "-0+3"
                                        << "0-40"
                                        << "3"
                                        << "40";
        QTest::newRow("above the top") << " 3 plies"
                                       << "751"
                                       << "3"
                                       << "75";
    }
    void numberFieldsTakeOnlyWhatTheyCanHold() {
        QFETCH(QString, typedPlies);
        QFETCH(QString, typedBalance);
        QFETCH(QString, shownPlies);
        QFETCH(QString, shownBalance);
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
        for (QLineEdit* field : {plies, balance}) {
            field->selectAll();
            QTest::keyClick(field, Qt::Key_Delete);
        }
        QTest::keyClicks(plies, typedPlies);
        QTest::keyClicks(balance, typedBalance);
        QCOMPARE(plies->text(), shownPlies);
        QCOMPARE(balance->text(), shownBalance);
        Find<QPushButton>(dialog, "cmdOK")->click();
        if (shownPlies.isEmpty()) {
            // An empty field is refused: nothing is stored and the dialog stays open.
            QCOMPARE(shown, QStringList{"Error: Illegal entry!"});
            QCOMPARE(dialog.result(), 0);
            QCOMPARE(int(s.ExtendedPlies), 1);
            QCOMPARE(int(s.Balance), 150);
            return;
        }
        QVERIFY(shown.isEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(int(s.ExtendedPlies), shownPlies.toInt());
        QCOMPARE(int(s.Balance), shownBalance.toInt());
    }

    void slidersShowTheirValueAsTheyMove() {
        Settings s;
        s.UseDepth = 0;
        s.ThinkTime = 30;
        int rating = 1200;
        frmOptions dialog(s, rating);
        auto* time = Find<QSlider>(dialog, "Slider1");
        QCOMPARE(Find<QLabel>(dialog, "Slider1Value")->text(), QString("30 sec"));
        QTest::keyClick(time, Qt::Key_Right);
        QCOMPARE(Find<QLabel>(dialog, "Slider1Value")->text(), QString("31 sec"));
        QTest::keyClick(Find<QSlider>(dialog, "Slider2"), Qt::Key_End);
        QCOMPARE(Find<QLabel>(dialog, "Slider2Value")->text(), QString("10"));
        QCOMPARE(s.ThinkTime, 30);  // nothing is stored before OK or Apply
    }

    void exactlyOneOfTimeAndDepthAndOfTenAndFifteen() {
        Settings s;
        s.UseDepth = 0;
        s.DrawRule15 = 1;
        int rating = 1200;
        frmOptions dialog(s, rating);
        auto* time = Find<QCheckBox>(dialog, "Check2");
        auto* depth = Find<QCheckBox>(dialog, "Check1");
        auto* ten = Find<QCheckBox>(dialog, "Check10");
        auto* fifteen = Find<QCheckBox>(dialog, "Check11");
        auto exactlyOne = [](QCheckBox* a, QCheckBox* b) {
            return a->isChecked() != b->isChecked();
        };
        QVERIFY(time->isChecked());
        time->click();  // the only checked one comes back
        QVERIFY(time->isChecked());
        QVERIFY(exactlyOne(time, depth));
        depth->click();
        QVERIFY(depth->isChecked());
        QVERIFY(exactlyOne(time, depth));
        QVERIFY(Find<QSlider>(dialog, "Slider4")->isEnabled());
        QVERIFY(!Find<QSlider>(dialog, "Slider1")->isEnabled());
        depth->click();
        QVERIFY(depth->isChecked());
        time->click();
        QVERIFY(exactlyOne(time, depth));
        QVERIFY(time->isChecked());

        QVERIFY(fifteen->isChecked());
        for (QCheckBox* box : {ten, ten, fifteen, fifteen, ten}) {
            box->click();
            QVERIFY(exactlyOne(ten, fifteen));
        }
        Find<QPushButton>(dialog, "cmdApply")->click();
        QCOMPARE(int(s.UseDepth), 0);
        QCOMPARE(int(s.DrawRule15), ten->isChecked() ? 0 : 1);
    }

    void readsEveryControl() {
        Settings s;
        int rating = 1200;
        frmOptions dialog(s, rating);
        Find<QSlider>(dialog, "Slider2")->setValue(10);
        Find<QCheckBox>(dialog, "Check1")->click();
        Find<QSlider>(dialog, "Slider4")->setValue(5);
        Find<QCheckBox>(dialog, "Check12")->setChecked(true);
        Find<QCheckBox>(dialog, "Check14")->setChecked(true);
        Find<QCheckBox>(dialog, "Check3")->setChecked(false);
        Find<QCheckBox>(dialog, "Check5")->setChecked(true);
        Option(dialog, "Option1", 1)->click();
        Find<QCheckBox>(dialog, "Check9")->click();
        Option(dialog, "Option2", 1)->click();
        Find<QLineEdit>(dialog, "Text1")->setText("Bea");
        Find<QCheckBox>(dialog, "Check6")->setChecked(false);
        Find<QPushButton>(dialog, "cmdOK")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(int(s.Handicap), 0);
        QCOMPARE(int(s.UseDepth), 1);
        QCOMPARE(s.SearchDepth, 5);
        QCOMPARE(int(s.FixedTime), 0);
        QCOMPARE(int(s.CountdownTimer), 1);
        QCOMPARE(int(s.ShowMoves), 0);
        QCOMPARE(int(s.CapitalLetters), 1);
        QCOMPARE(int(s.JumpChar), 1);
        QCOMPARE(int(s.UseBook), 1);
        QCOMPARE(int(s.BookFromGames), 1);
        QCOMPARE(s.PlayerName, std::string("Bea"));
        QCOMPARE(int(s.ConfirmExit), 0);
    }

    void interlocksEnableTheirControls() {
        Settings s;
        s.ChessDrawRules = 1;
        s.ExtendedSearch = 1;
        s.UseBook = 1;
        int rating = 1200;
        frmOptions dialog(s, rating);
        QVERIFY(Find<QCheckBox>(dialog, "Check11")->isEnabled());
        Find<QCheckBox>(dialog, "Check4")->click();
        QVERIFY(!Find<QCheckBox>(dialog, "Check10")->isEnabled());
        QVERIFY(!Find<QCheckBox>(dialog, "Check11")->isEnabled());
        Find<QCheckBox>(dialog, "Check7")->click();
        QVERIFY(!Find<QLineEdit>(dialog, "Text2")->isEnabled());
        QVERIFY(!Find<QLineEdit>(dialog, "Text3")->isEnabled());
        Find<QCheckBox>(dialog, "Check9")->click();
        QVERIFY(!Option(dialog, "Option2", 0)->isEnabled());
        QVERIFY(!Option(dialog, "Option2", 1)->isEnabled());
        Find<QCheckBox>(dialog, "Check9")->click();
        QVERIFY(Option(dialog, "Option2", 1)->isEnabled());
    }

    void resetSurvivesCancelButCancelReadsNothing() {
        Settings s;
        s.SearchDepth = 4;
        int rating = 1555;
        frmOptions dialog(s, rating);
        Find<QPushButton>(dialog, "Command1")->click();
        QCOMPARE(rating, 1200);
        QCOMPARE(Find<QCheckBox>(dialog, "Check16")->text(), QString("Use Rating (1200)"));
        Find<QSlider>(dialog, "Slider4")->setValue(9);
        Find<QPushButton>(dialog, "cmdCancel")->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(rating, 1200);
        QCOMPARE(s.SearchDepth, 4);
    }

    void cancelAfterApplyKeepsTheAppliedValues() {
        Settings s;
        int rating = 1200;
        frmOptions dialog(s, rating);
        Find<QLineEdit>(dialog, "Text1")->setText("Cleo");
        Find<QPushButton>(dialog, "cmdApply")->click();
        Find<QLineEdit>(dialog, "Text1")->setText("Dora");
        Find<QPushButton>(dialog, "cmdCancel")->click();
        QCOMPARE(s.PlayerName, std::string("Cleo"));
    }

    void controlTabCyclesThroughThePages() {
        Settings s;
        int rating = 1200;
        frmOptions dialog(s, rating);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* tabs = Find<QTabWidget>(dialog, "tbsOptions");
        QCOMPARE(tabs->currentIndex(), 0);
        for (int expected : {1, 2, 3, 0}) {
            QTest::keyClick(&dialog, Qt::Key_Tab, Qt::ControlModifier);
            QCOMPARE(tabs->currentIndex(), expected);
        }
    }
};

QTEST_MAIN(OptionsDialogTest)
#include "options_dialog_test.moc"
