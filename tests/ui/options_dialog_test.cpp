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
QCheckBox* Box(QWidget& dialog, const char* name) {
    return Find<QCheckBox>(dialog, name);
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
    void loadsEverySettingWithItsCaptions() {
        Settings s;
        s.Handicap = 3;
        s.SearchDepth = 7;
        s.ThinkTime = 45;
        s.UseDepth = 1;
        s.FixedTime = s.DrawRule15 = s.ChessDrawRules = s.ExtendedSearch = 0;
        s.JumpChar = s.BookFromGames = 1;
        s.PlayerName = "Ann";
        int rating = 1432;
        frmOptions dialog(s, rating);
        QCOMPARE(dialog.windowTitle(), QString(" Options"));
        auto* tabs = Find<QTabWidget>(dialog, "tbsOptions");
        QCOMPARE(tabs->count(), 4);
        QCOMPARE(tabs->tabText(0) + tabs->tabText(3), QString("ComputerMisc"));
        const std::pair<const char*, int> sliders[] = {
            {"Slider2", 7}, {"Slider4", 7}, {"Slider1", 45}};
        for (auto [slider, value] : sliders)
            QCOMPARE(Find<QSlider>(dialog, slider)->value(), value);
        QVERIFY(Box(dialog, "Check1")->isChecked() && !Box(dialog, "Check2")->isChecked());
        QVERIFY(!Find<QSlider>(dialog, "Slider1")->isEnabled());
        QVERIFY(Find<QSlider>(dialog, "Slider4")->isEnabled() &&
                Box(dialog, "Check12")->isChecked());
        QVERIFY(Option(dialog, "Option1", 1)->isChecked() &&
                Option(dialog, "Option2", 1)->isChecked());
        QVERIFY(Box(dialog, "Check10")->isChecked() && !Box(dialog, "Check10")->isEnabled());
        QVERIFY(!Find<QLineEdit>(dialog, "Text2")->isEnabled());
        QCOMPARE(Find<QLineEdit>(dialog, "Text1")->text(), QString("Ann"));
        QCOMPARE(Box(dialog, "Check16")->text(), QString("Use Rating (1432)"));
        QCOMPARE(Box(dialog, "Check3")->text(), QString("Show available moves"));
        QCOMPARE(Box(dialog, "Check8")->text(),
                 QString("Ask for draw if computer thinks it's a draw"));
        QCOMPARE(Find<QPushButton>(dialog, "Command1")->text(), QString("Reset"));
        QVERIFY(dialog.sizeHint().width() <= 1280 && dialog.sizeHint().height() <= 760);
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
            QCOMPARE(int(s.ExtendedPlies) * 1000 + int(s.Balance), 1150);
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
        QCOMPARE(Find<QLabel>(dialog, "Slider1Value")->text(), QString("30 sec"));
        QTest::keyClick(Find<QSlider>(dialog, "Slider1"), Qt::Key_Right);
        QCOMPARE(Find<QLabel>(dialog, "Slider1Value")->text(), QString("31 sec"));
        QTest::keyClick(Find<QSlider>(dialog, "Slider2"), Qt::Key_End);
        QCOMPARE(Find<QLabel>(dialog, "Slider2Value")->text(), QString("10"));
        QCOMPARE(s.ThinkTime, 30);  // nothing is stored before OK or Apply
    }

    void interlockedBoxes() {
        Settings s;
        s.UseDepth = 0;
        s.DrawRule15 = s.ChessDrawRules = s.ExtendedSearch = s.UseBook = 1;
        int rating = 1200;
        frmOptions dialog(s, rating);
        QCheckBox *time = Box(dialog, "Check2"), *depth = Box(dialog, "Check1");
        QCheckBox *ten = Box(dialog, "Check10"), *fifteen = Box(dialog, "Check11");
        // Exactly one of time and depth, and of ten and fifteen: the only checked one comes
        // back when clicked.
        for (QCheckBox* box : {time, depth, depth, time}) {
            box->click();
            QVERIFY(time->isChecked() != depth->isChecked());
        }
        QVERIFY(time->isChecked());
        QCOMPARE(Find<QSlider>(dialog, "Slider4")->isEnabled(), false);
        for (QCheckBox* box : {ten, ten, fifteen, fifteen, ten}) {
            box->click();
            QVERIFY(ten->isChecked() != fifteen->isChecked());
        }
        Find<QPushButton>(dialog, "cmdApply")->click();
        QCOMPARE(int(s.UseDepth), 0);
        QCOMPARE(int(s.DrawRule15), ten->isChecked() ? 0 : 1);

        QVERIFY(fifteen->isEnabled());
        Box(dialog, "Check4")->click();  // chess draw rules off
        QVERIFY(!ten->isEnabled() && !fifteen->isEnabled());
        Box(dialog, "Check7")->click();  // extended search off
        QVERIFY(!Find<QLineEdit>(dialog, "Text2")->isEnabled());
        QVERIFY(!Find<QLineEdit>(dialog, "Text3")->isEnabled());
        Box(dialog, "Check9")->click();  // the book off
        QVERIFY(!Option(dialog, "Option2", 0)->isEnabled());
        QVERIFY(!Option(dialog, "Option2", 1)->isEnabled());
        Box(dialog, "Check9")->click();
        QVERIFY(Option(dialog, "Option2", 1)->isEnabled());
    }

    void readsEveryControl() {
        Settings s;
        int rating = 1200;
        frmOptions dialog(s, rating);
        Find<QSlider>(dialog, "Slider2")->setValue(10);
        Box(dialog, "Check1")->click();
        Find<QSlider>(dialog, "Slider4")->setValue(5);
        Box(dialog, "Check12")->setChecked(true);
        Box(dialog, "Check14")->setChecked(true);
        Box(dialog, "Check3")->setChecked(false);
        Box(dialog, "Check5")->setChecked(true);
        Option(dialog, "Option1", 1)->click();
        Box(dialog, "Check9")->click();
        Option(dialog, "Option2", 1)->click();
        Find<QLineEdit>(dialog, "Text1")->setText("Bea");
        Box(dialog, "Check6")->setChecked(false);
        Find<QPushButton>(dialog, "cmdOK")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const std::vector<int> read = {s.Handicap,       s.UseDepth,       s.SearchDepth,
                                       s.FixedTime,      s.CountdownTimer, s.ShowMoves,
                                       s.CapitalLetters, s.JumpChar,       s.UseBook,
                                       s.BookFromGames,  s.ConfirmExit};
        QCOMPARE(read, (std::vector<int>{0, 1, 5, 0, 1, 0, 1, 1, 1, 1, 0}));
        QCOMPARE(s.PlayerName, std::string("Bea"));
    }

    void resetApplyAndCancel() {
        Settings s;
        s.SearchDepth = 4;
        int rating = 1555;
        frmOptions dialog(s, rating);
        Find<QPushButton>(dialog, "Command1")->click();
        QCOMPARE(rating, 1200);  // Reset survives Cancel
        QCOMPARE(Box(dialog, "Check16")->text(), QString("Use Rating (1200)"));
        Find<QLineEdit>(dialog, "Text1")->setText("Cleo");
        Find<QPushButton>(dialog, "cmdApply")->click();
        Find<QLineEdit>(dialog, "Text1")->setText("Dora");
        Find<QSlider>(dialog, "Slider4")->setValue(9);
        Find<QPushButton>(dialog, "cmdCancel")->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(s.PlayerName, std::string("Cleo"));  // Cancel keeps what Apply stored
        QCOMPARE(s.SearchDepth, 4);
    }

    void controlTabCyclesThroughThePages() {
        Settings s;
        int rating = 1200;
        frmOptions dialog(s, rating);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* tabs = Find<QTabWidget>(dialog, "tbsOptions");
        for (int expected : {1, 2, 3, 0}) {
            QTest::keyClick(&dialog, Qt::Key_Tab, Qt::ControlModifier);
            QCOMPARE(tabs->currentIndex(), expected);
        }
    }
};

QTEST_MAIN(OptionsDialogTest)
#include "options_dialog_test.moc"
