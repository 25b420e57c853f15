// The real main window over a temporary data folder; the test answers its boxes and dialogs.
#pragma once

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QtTest>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/fakes.h"
#include "ui/board_view.h"
#include "ui/main_window.h"

namespace zelkor::test {

class WindowFixture {
  public:
    WindowFixture() {
        const std::filesystem::path variants = ShippedDataDir() / "variants.ini";
        if (std::filesystem::exists(variants))
            std::filesystem::copy_file(variants, dir.path() / "variants.ini");
        window = std::make_unique<ui::frmMain>(clock, random, dir.path());
        window->messageHook = std::bind_front(&RecordingUi::Message, &recorder);
        window->fileHook = [](bool, const std::string&) { return std::optional<std::string>(); };
        window->dialogHook = [this](QDialog* d) {
            return onDialog ? onDialog(d) : int(QDialog::Rejected);
        };
        window->resize(1120, 760);
        window->show();
        window->StartUp();
        Settings& s = controller().settings();
        std::tie(s.UseDepth, s.SearchDepth, s.ConfirmExit, s.UseBook) = std::tuple(1, 1, 0, 0);
    }

    GameController& controller() { return window->controller(); }
    GameSession& game() { return controller().game(); }
    // The computer thinks off the window's thread: waits until it is done (false after 20 s).
    bool WaitIdle() {
        return QTest::qWaitFor([this] { return !game().busy; }, 20000);
    }
    ui::BoardView& board() { return *window->findChild<ui::BoardView*>("BoardView"); }

    QAction* action(const char* name) { return window->findChild<QAction*>(name); }
    QListWidget* list(const char* name) { return window->findChild<QListWidget*>(name); }
    QStringList lines(const char* name) {
        QStringList result;
        QListWidget* l = list(name);
        for (int i = 0; i < l->count(); ++i)
            result << l->item(i)->text();
        return result;
    }
    std::string text(zelkor::Display display) { return window->Text(display); }

    void Hover(QPoint point) {
        QMouseEvent move(QEvent::MouseMove, point, board().mapToGlobal(point), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&board(), &move);
    }
    void Hover(int square) { Hover(board().SquareRect(square).center()); }
    void Drag(int from, int to) {
        ui::BoardView& view = board();
        const QPoint start = view.SquareRect(from).center();
        const QPoint end = to ? view.SquareRect(to).center() : QPoint(1, 1);
        Hover(start);
        QTest::mousePress(&view, Qt::LeftButton, {}, start);
        QTest::mouseMove(&view, end);
        QTest::mouseRelease(&view, Qt::LeftButton, {}, end);
    }
    // A right click on `square`, answered with the item named `item`; checked items noted.
    void SetupPopup(int square, const char* item) {
        window->popupHook = [this, item](QMenu* menu) {
            for (QAction* a : menu->actions())
                if (a->isChecked()) popupChecked << a->objectName();
            return item ? menu->findChild<QAction*>(item) : nullptr;
        };
        ui::BoardView& view = board();
        const QPoint point = view.SquareRect(square).center();
        QTest::mousePress(&view, Qt::RightButton, {}, point);
        QTest::mouseRelease(&view, Qt::RightButton, {}, point);
    }
    void Type(const QString& move) {
        auto* box = window->findChild<QLineEdit*>("TypedMoveBox");
        box->setFocus();
        box->setText(move);
        QTest::keyClick(box, Qt::Key_Return);
    }
    QString FirstLegalMove() {
        const QString line = list("LegalMoveList")->item(0)->text().toUpper();
        return line.left(2) + line.mid(3, 2);
    }

    TempDir dir;
    FakeClock clock;
    ScriptedRandom random;
    std::unique_ptr<ui::frmMain> window;
    RecordingUi recorder;  // records the messages and answers the questions
    std::vector<ShownMessage>& messages = recorder.messages;
    std::deque<Answer>& answers = recorder.answers;
    std::function<int(QDialog*)> onDialog;
    QStringList popupChecked;
};

inline int SquareOf(const QString& name) {
    return SquareNumber(name.toUpper().toStdString());
}

}  // namespace zelkor::test
