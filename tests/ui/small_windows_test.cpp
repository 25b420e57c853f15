// The small windows: "Book moves", the rules window, the manual and About.
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "game/rules_text.h"
#include "picture_sum.h"
#include "ui/app_icon.h"
#include "ui/book_dialog.h"
#include "ui/info_windows.h"
#include "ui/toolbar_icons.h"

using namespace zelkor::ui;

class SmallWindowsTest : public QObject {
    Q_OBJECT
  private slots:
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
        const std::string help = "White plays towards the top left.\nWhite begins.";
        frmRules rules("Halma", zelkor::HelpForBoard(help, true));
        QCOMPARE(rules.windowTitle(), QString(" Rules for Halma"));
        QCOMPARE(rules.findChild<QLabel*>("lblHelp")->text(),
                 QString("White plays towards the bottom right.\nWhite begins."));
        QCOMPARE(zelkor::HelpForBoard(help, false), help);
        QVERIFY(rules.findChild<QLabel*>("lblGuide")->text().contains("\"(M)\""));
        frmRules empty("Corner", "");
        QCOMPARE(empty.findChild<QLabel*>("lblHelp")->text(), QString("No help available"));
        empty.findChild<QPushButton*>("cmdOK")->click();
        QCOMPARE(empty.result(), int(QDialog::Accepted));
    }

    void aboutWindowLinksToTheManual() {
        frmAbout about(nullptr, "/usr/share/zelkor/manual.md");
        QCOMPARE(about.findChild<QLabel*>("lblProduct")->text() + " " +
                     about.findChild<QLabel*>("lblVersion")->text(),
                 QString("Zelkor Version 0.24"));
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
    }

    // Each toolbar picture is its own, and every picture the program draws for itself (the
    // toolbar's, enabled and greyed, and the application icon) is the one approved: a sum over
    // their pixels is pinned. After a deliberate change to a drawing, pin the new sums printed.
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
            pictures << picture << icon.pixmap(QSize(24, 24), QIcon::Disabled).toImage();
        }
        for (int size : {16, 48, 256})
            pictures << DrawAppIcon(size);
        quint64 all = 0;
        for (const QImage& picture : pictures) {
            const quint64 sum = zelkor::test::PictureSum(picture);
            sums << zelkor::test::SumText(sum);
            all = (all ^ sum) * 1099511628211ull;
        }
        QVERIFY2(all == 0x4e1f5f2c30033295ull,
                 qPrintable(zelkor::test::SumText(all) + ": " + sums.join(' ')));
    }
};

QTEST_MAIN(SmallWindowsTest)
#include "small_windows_test.moc"
