// What a newcomer meets: the toolbar's tooltips, the rules shown on the first start only,
// a window that fits a small screen and keeps its place, and the score graph beside the
// move list.
#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <cstdlib>

#include "records/data_folder.h"
#include "ui/app_icon.h"
#include "ui/info_windows.h"
#include "ui/score_graph_view.h"
#include "window_fixture.h"

using namespace zelkor;
using namespace zelkor::test;

namespace {

void SavePicture(const QImage& picture, const char* name) {
    const char* folder = std::getenv("ZELKOR_PICTURE_DIR");
    const std::filesystem::path dir = folder ? folder : ".";
    std::filesystem::create_directories(dir);
    QVERIFY(picture.save(QString::fromStdString((dir / name).string())));
}

// Plays `moves` of the player's moves, each answered by the computer.
void PlayMoves(WindowFixture& f, int moves) {
    for (int i = 0; i < moves; ++i) {
        const QString move = f.FirstLegalMove();
        f.Drag(SquareOf(move.left(2)), SquareOf(move.mid(2)));
        QTRY_COMPARE(f.game().gamePly, 2 * (i + 1));
    }
}

}  // namespace

class DesktopTest : public QObject {
    Q_OBJECT
  private slots:
    void everyToolbarButtonHasItsTooltip() {
        WindowFixture f;
        const std::map<QString, QString> expected = {
            {"New Game", "New Game"},
            {"New Variant", "New Variant"},
            {"Open", "Open"},
            {"Save", "Save"},
            {"Compute", "Compute"},
            {"Cancel", "Cancel Computing"},
            {"First", "Back to First Move"},
            {"Back", "Move Back"},
            {"Forward", "Move Forward"},
            {"Last", "Forward to Last Move"},
            {"Draw", "Offer Draw"},
            {"Resign", "Resign"},
            {"Hint", "Hint"},
            {"ComputerPlayer", "Computer-Player"},
            {"PlayerPlayer", "Player-Player"},
            {"ComputerComputer", "Computer-Computer"},
            {"Options", "Options"},
            {"Analyze", "Analyze"},
            {"TurnBoard", "Turn Board"},
        };
        auto* toolbar = f.window->findChild<QToolBar*>("Toolbar1");
        QVERIFY(toolbar);
        std::map<QString, QString> shown;
        for (QAction* action : toolbar->actions()) {
            if (action->isSeparator()) continue;
            // The drop-down Save button carries its command on the button's own action.
            QWidget* widget = toolbar->widgetForAction(action);
            auto* button = qobject_cast<QToolButton*>(widget);
            QVERIFY(button);
            QAction* command = button->defaultAction() ? button->defaultAction() : action;
            shown[action->property("key").toString()] = command->toolTip();
            QCOMPARE(button->toolTip(), command->toolTip());
        }
        QCOMPARE(shown, expected);
    }

    void iconIsDrawnInEverySize() {
        for (int size : {16, 32, 256}) {
            const QImage icon = ui::DrawAppIcon(size);
            QCOMPARE(icon.size(), QSize(size, size));
            QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);  // rounded corners
            QCOMPARE(qAlpha(icon.pixel(size / 2, size / 2)), 255);
        }
        QCOMPARE(ui::AppIcon().availableSizes().size(), 7);
    }

    void rulesAreShownOnTheFirstStartOnly() {
        WindowFixture f;
        QStringList shown;
        f.onDialog = [&shown](QDialog* dialog) {
            shown << dialog->metaObject()->className();
            return int(QDialog::Accepted);
        };
        QVERIFY(IsFirstStart(f.dir.path()));
        QVERIFY(f.window->ShowRulesOnFirstStart());
        QCOMPARE(shown, QStringList{"zelkor::ui::frmRules"});
        QVERIFY(std::filesystem::exists(f.dir / kFirstStartMarker));
        // The settings file keeps its own format: the marker is a separate file.
        QVERIFY(!f.window->ShowRulesOnFirstStart());
        QCOMPARE(shown.size(), 1);

        // Another window over the same folder, as the next start of the program.
        FakeClock clock;
        ScriptedRandom random;
        ui::frmMain again(clock, random, f.dir.path());
        again.dialogHook = f.window->dialogHook;
        again.StartUp();
        QVERIFY(!again.ShowRulesOnFirstStart());
        QCOMPARE(shown.size(), 1);
    }

    void windowOpensWithTheWholeBoardOnA1280x800Screen() {
        TempDir dir;
        std::filesystem::copy_file(ShippedDataDir() / "variants.ini", dir / "variants.ini");
        FakeClock clock;
        ScriptedRandom random;
        ui::frmMain window(clock, random, dir.path());
        window.show();
        window.StartUp();
        // Room for a title bar and a desktop panel of 40 pixels each.
        QVERIFY2(window.width() <= 1280 && window.height() <= 800 - 80,
                 qPrintable(QString("%1x%2").arg(window.width()).arg(window.height())));
        QVERIFY(window.minimumSizeHint().height() <= 800 - 80);
        for (bool graph : {false, true}) {
            window.findChild<QAction*>("mnuScoreGraph")->setChecked(graph);
            QApplication::processEvents();
            QVERIFY(window.height() <= 800 - 80);
            const ui::BoardView& board = *window.board();
            const QRect all =
                board.SquareRect(SquareNumber("A1")) | board.SquareRect(SquareNumber("H8"));
            QVERIFY(board.rect().contains(all));
            QVERIFY2(board.squareSize() >= 48, qPrintable(QString::number(board.squareSize())));
        }
        // At the smallest size the board still has the larger share, with legible
        // coordinates; the side panel gives way.
        window.resize(1, 1);
        QApplication::processEvents();
        const auto* panel = window.findChild<QWidget*>("SidePanel");
        const ui::BoardView& board = *window.board();
        QVERIFY2(board.squareSize() * 8 > panel->width(),
                 qPrintable(QString("%1 %2").arg(board.squareSize()).arg(panel->width())));
        QFont coordinates = board.font();
        coordinates.setPixelSize(board.coordinateSize());
        QVERIFY(QFontMetrics(coordinates).capHeight() >= 9);
    }

    void windowPlaceAndScoreGraphComeBackAtTheNextStart() {
        WindowFixture f;
        f.window->resize(900, 660);
        f.action("mnuScoreGraph")->setChecked(true);
        QVERIFY(f.window->close());
        ui::frmMain again(f.clock, f.random, f.dir.path());
        QCOMPARE(again.size(), QSize(900, 660));
        QVERIFY(again.findChild<QAction*>("mnuScoreGraph")->isChecked());
        QVERIFY(!again.scoreGraph()->isHidden());
    }

    void scoreGraphFollowsTheGameAndNavigation() {
        WindowFixture f;
        QAction* toggle = f.action("mnuScoreGraph");
        QVERIFY(toggle && toggle->isCheckable());
        auto* graph = f.window->scoreGraph();
        QVERIFY(!graph->isVisible());
        toggle->trigger();
        QVERIFY(graph->isVisible());
        QCOMPARE(graph->data().points.size(), size_t(0));

        PlayMoves(f, 4);
        ScoreGraphData data = graph->data();
        QCOMPARE(int(data.points.size()), 4);
        QCOMPARE(data.currentPly, 8);
        f.action("Moveback")->trigger();
        f.action("Moveback")->trigger();
        data = graph->data();
        QCOMPARE(data.currentPly, 6);
        QCOMPARE(data.plies, 8);

        // The current ply is marked in red at its place on the ply axis.
        graph->resize(400, 160);
        const QImage image = graph->grab().toImage();
        const QPointF mark = graph->PointAt(6, 0, data);
        const QRectF area = graph->PlotArea();
        int red = 0;
        for (int y = int(area.top()) + 2; y < int(area.bottom()) - 2; ++y) {
            const QColor c = image.pixelColor(int(mark.x()), y);
            red += c.red() > 180 && c.green() < 120 && c.blue() < 120;
        }
        QVERIFY2(red > area.height() / 2, qPrintable(QString::number(red)));
        // Every score has its mark: dark or light pixels at the point.
        for (const ScoreGraphPoint& p : data.points) {
            const QPoint at = graph->PointAt(p.ply, p.score, data).toPoint();
            QVERIFY(image.pixelColor(at) != graph->palette().color(QPalette::Base));
        }

        // Crisp on high-DPI screens: drawn at twice the pixels, not scaled up.
        QImage sharp(graph->size() * 2, QImage::Format_ARGB32);
        sharp.setDevicePixelRatio(2);
        sharp.fill(Qt::white);
        graph->render(&sharp);
        QSet<QRgb> colours;
        for (int y = 0; y < sharp.height(); ++y)
            for (int x = 0; x < sharp.width(); ++x)
                colours.insert(sharp.pixel(x, y));
        QVERIFY(colours.size() > 20);
        SavePicture(sharp, "score_graph.png");

        // A click on the graph shows the position after the ply under the pointer.
        const QPointF third = graph->PointAt(3, 0, data);
        QCOMPARE(graph->PlyAt(third.x()), 3);
        QTest::mouseClick(graph, Qt::LeftButton, {}, third.toPoint());
        QCOMPARE(f.game().gamePly, 3);
        QCOMPARE(graph->data().currentPly, 3);
        QCOMPARE(f.list("GameMoveList")->currentRow(), 2);
        QTest::mouseClick(graph, Qt::LeftButton, {}, QPoint(graph->width() - 2, 5));
        QCOMPARE(f.game().gamePly, 8);  // beyond the last ply: the last

        toggle->trigger();
        QVERIFY(!graph->isVisible());
    }
};

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
