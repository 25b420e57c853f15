// The options dialog: its round trip, the number fields, the interlocks, Reset and Cancel.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QtTest>

#include "records/settings_file.h"
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

}  // namespace

class OptionsDialogTest : public QObject {
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
            Find<QPushButton>(dialog, "cmdOK")->click();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(SettingsLines(s), SettingsLines(original));  // every field as in zelkor.ini
        }
    }

    void numberFieldsTakeOnlyWhatTheyCanHold() {
        // (typed plies, typed balance, shown plies, shown balance, name); an empty field is
        // refused.
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
        QVERIFY(!Option(dialog, "Option2", 0)->isEnabled());

        // Master beside the strength, like the board's marks, shown only with a choice to edit;
        // chosen, it takes the strength slider's place and its threads count.
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
        Settings s;
        s.SearchDepth = 4;
        int rating = 1555;
        frmOptions dialog(s, rating);
        FailOnMessage(dialog);
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
        QCOMPARE(std::tuple(s.SearchDepth, s.ThinkTime, s.Handicap), std::tuple(4, 2, 1));
    }
};

QTEST_MAIN(OptionsDialogTest)
#include "options_dialog_test.moc"
