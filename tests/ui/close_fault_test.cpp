// Closing the window while a modal dialog or a message box is open, during a load and
// during the options: the window goes away once the dialog has returned, the settings are
// written once, and nothing crashes.
#include <QtTest>

#include "records/settings_file.h"
#include "window_fixture.h"

using namespace zelkor;
using namespace zelkor::test;

namespace {

// Lets the close that a returning command scheduled happen.
void LetPendingEventsRun() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

}  // namespace

class CloseFaultTest : public QObject {
    Q_OBJECT

  private slots:
    void closingWhileALoadShowsItsMessage() {
        WindowFixture f;
        WriteFile(f.dir / "bad.zlk",
                  "ZELKOR Version=0.10\r\nVariant=1\r\nSTART\r\nh4g5\r\nzzzz\r\nd6c5\r\n");
        f.window->fileHook = [&](bool, const std::string&) {
            return std::optional<std::string>((f.dir / "bad.zlk").string());
        };
        bool closeSeen = false;
        f.window->messageHook = [&](const std::string& text, const std::string&, Icon, Buttons) {
            f.messages.push_back({text, "", Icon::None, Buttons::Ok});
            if (!closeSeen) {
                closeSeen = true;
                f.window->close();  // the close request arrives while the box is open
            }
            return Answer::Ok;
        };
        f.action("Open1")->trigger();
        QVERIFY(closeSeen);
        LetPendingEventsRun();
        QVERIFY(!f.window->isVisible());
        QVERIFY(f.controller().shutDown());
        QVERIFY(!f.controller().loading());
        QVERIFY(std::filesystem::exists(f.dir / "zelkor.ini"));
    }

    void closingWhileAModalDialogIsOpen() {
        WindowFixture f;
        bool closeSeen = false;
        f.onDialog = [&](QDialog*) {
            closeSeen = true;
            f.window->close();
            return int(QDialog::Rejected);
        };
        f.action("mnu_Help_About")->trigger();
        QVERIFY(closeSeen);
        LetPendingEventsRun();
        QVERIFY(!f.window->isVisible());
        QVERIFY(f.controller().shutDown());
    }

    void closingWhileTheOptionsAreOpenKeepsTheirChanges() {
        WindowFixture f;
        f.onDialog = [&](QDialog* dialog) {
            f.controller().settings().Handicap = 3;  // as the dialog's OK would store it
            f.window->close();
            dialog->accept();
            return int(QDialog::Accepted);
        };
        f.action("Options")->trigger();
        LetPendingEventsRun();
        QVERIFY(!f.window->isVisible());
        QVERIFY(f.controller().shutDown());
        Settings written;
        QVERIFY(ReadSettings(written, f.dir.path()).status == SettingsReadStatus::Read);
        QCOMPARE(written.Handicap, 3);
    }
};

QTEST_MAIN(CloseFaultTest)
#include "close_fault_test.moc"
