// The board view: square-to-display mapping, camp shades, highlight colours, the
// bitmap piece set and the pointer geometry.
#include <QImage>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

#include "support/fakes.h"
#include "ui/board_view.h"

using namespace zelkor;
using namespace zelkor::ui;

namespace {

struct Fixture {
    std::unique_ptr<GameState> game = std::make_unique<GameState>();
    Settings settings;
    Fixture() {
        game->active = DefaultRules();
        game->board = EmptyBoard();
    }
};

QColor CentreColour(BoardView& view, int square) {
    const QImage image = view.grab().toImage();
    const QRect rect = view.SquareRect(square);
    return image.pixelColor(rect.center());
}

QColor CornerColour(BoardView& view, int square) {
    const QImage image = view.grab().toImage();
    const QRect rect = view.SquareRect(square);
    return image.pixelColor(rect.topLeft() + QPoint(3, 3));
}

}  // namespace

class BoardViewTest : public QObject {
    Q_OBJECT
  private slots:
    void displayIndexMapping() {
        QCOMPARE(SquareOfDisplayIndex(0, false), 91);
        QCOMPARE(SquareOfDisplayIndex(63, false), 28);
        QCOMPARE(SquareOfDisplayIndex(0, true), 28);
        QCOMPARE(SquareOfDisplayIndex(63, true), 91);
        QCOMPARE(SquareOfDisplayIndex(64, false), 0);
        for (int index = 0; index < 64; ++index)
            for (bool turned : {false, true})
                QCOMPARE(DisplayIndexOf(SquareOfDisplayIndex(index, turned), turned), index);
        QCOMPARE(DisplayIndexOf(20, false), -1);
        QCOMPARE(DisplayIndexOf(99, true), -1);
    }

    void shadesFollowTheHomeListsNotAChequerPattern() {
        const HomeSquares rules = DefaultRules().home;
        QVERIFY(ShadeOf(rules, 91) == Shade::D);  // a8: White's home
        QVERIFY(ShadeOf(rules, 28) == Shade::L);  // h1: Black's home
        QVERIFY(ShadeOf(rules, 44) == Shade::M);
        QCOMPARE(HomeCategory(rules, 91), 0);
        QCOMPARE(HomeCategory(rules, 28), 1);
        QCOMPARE(HomeCategory(rules, 44), 2);

        Fixture f;
        BoardView view(*f.game, f.settings);
        view.resize(400, 400);
        // Neighbouring ordinary squares share one shade; the two camps differ from it.
        QCOMPARE(CentreColour(view, 44), CentreColour(view, 45));
        QCOMPARE(CentreColour(view, 44), CentreColour(view, 55));
        QVERIFY(CentreColour(view, 91) != CentreColour(view, 44));
        QVERIFY(CentreColour(view, 28) != CentreColour(view, 44));
        QVERIFY(CentreColour(view, 28) != CentreColour(view, 91));
        // The view shows the position of its last redraw, not the live board.
        f.game->board[91] = kWhiteMan;
        QCOMPARE(CentreColour(view, 91), CornerColour(view, 91));
        // A white man on White's home square keeps the White-camp shade around it.
        f.game->board[91] = kWhiteMan;
        view.Redraw();
        QCOMPARE(CornerColour(view, 91), CornerColour(view, 92));
        QVERIFY(CentreColour(view, 91) != CentreColour(view, 92));
    }

    void homeCounts() {
        Fixture f;
        f.game->board[91] = kWhiteMan;
        f.game->board[92] = kWhiteMan;
        f.game->board[93] = kBlackMan;  // on White's home, counts for nobody
        f.game->board[28] = kBlackMan;
        QCOMPARE(HomeCount(*f.game, 0), 2);
        QCOMPARE(HomeCount(*f.game, 1), 1);
    }

    void highlightBoxesUseTheCategoryColour() {
        Fixture f;
        BoardView view(*f.game, f.settings);
        view.resize(568, 568);
        view.HighlightSquare(91);
        view.HighlightSquare(44);
        QVERIFY(view.highlighted(91));
        const QImage image = view.grab().toImage();
        auto edge = [&](int square) {
            const QRect rect = view.SquareRect(square);
            const int inset = static_cast<int>(rect.width() * 16.0 / 568.0 + 1);
            return image.pixelColor(rect.left() + rect.width() / 2, rect.top() + inset);
        };
        QCOMPARE(edge(91), QColor(255, 255, 0));
        QCOMPARE(edge(44), QColor(0, 0, 255));
        view.Redraw();
        QVERIFY(!view.highlighted(91));
    }

    void coordinatesFollowTurnAndNotation() {
        Fixture f;
        BoardView view(*f.game, f.settings);
        view.resize(400, 400);
        const QImage normal = view.grab().toImage();
        const QPoint corner = view.SquareRect(91).topLeft();
        f.settings.BoardTurned = 1;
        view.Redraw();
        QCOMPARE(view.SquareAt(view.SquareRect(28).center()), 28);
        QCOMPARE(view.SquareRect(28).topLeft(), corner);
        const QImage turned = view.grab().toImage();
        QVERIFY(normal != turned);
        f.settings.BoardTurned = 0;
        view.Redraw();
        QCOMPARE(view.grab().toImage(), normal);
        f.settings.Notation = 1;
        view.Redraw();
        QVERIFY(view.grab().toImage() != normal);
    }

    void pointerGeometry() {
        Fixture f;
        BoardView view(*f.game, f.settings);
        view.resize(500, 400);
        const QRect a8 = view.SquareRect(91);
        const QRect h1 = view.SquareRect(28);
        QCOMPARE(view.SquareAt(a8.center()), 91);
        QCOMPARE(view.SquareAt(h1.bottomRight()), 28);
        QCOMPARE(view.SquareAt(a8.topLeft() - QPoint(1, 1)), 0);
        QCOMPARE(view.SquareAt(h1.bottomRight() + QPoint(1, 0)), 0);
        QVERIFY(a8.width() >= 40);

        QSignalSpy pressed(&view, &BoardView::pressed);
        QSignalSpy released(&view, &BoardView::released);
        QTest::mousePress(&view, Qt::LeftButton, {}, view.SquareRect(33).center());
        QTest::mouseRelease(&view, Qt::LeftButton, {}, view.SquareRect(44).center());
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(pressed[0][0].toInt(), 33);
        QCOMPARE(released[0][0].toInt(), 44);
        QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(1, 1));
        QCOMPARE(pressed.count(), 1);  // the margin is no square
    }

    void bitmapPieceSet() {
        Fixture f;
        BoardView view(*f.game, f.settings);
        view.resize(400, 400);
        const std::filesystem::path shipped = test::ShippedDataDir() / "pieces" / "brownandblack";
        QVERIFY(view.LoadBitmapPieceSet(shipped));
        QVERIFY(view.usingBitmaps());
        QVERIFY(!view.PieceCursor(kWhiteMan).pixmap().isNull());
        view.UseDefaultPieces();
        QVERIFY(!view.usingBitmaps());

        // A set missing one file is refused and the built-in pictures stay.
        test::TempDir dir;
        for (const auto& entry : std::filesystem::directory_iterator(shipped))
            std::filesystem::copy(entry.path(), dir.path() / entry.path().filename());
        std::filesystem::remove(dir / "black.ico");
        QVERIFY(!view.LoadBitmapPieceSet(dir.path()));
        QVERIFY(!view.usingBitmaps());
        // An unreadable picture is refused as well.
        std::filesystem::copy(shipped / "black.ico", dir / "black.ico");
        test::WriteFile(dir / "msquare.bmp", "not a picture");
        QVERIFY(!view.LoadBitmapPieceSet(dir.path()));
    }

    void builtInPicturesStaySharpWhenScaled() {
        Fixture f;
        f.game->board[44] = kBlackMan;
        BoardView view(*f.game, f.settings);
        for (int size : {240, 900}) {
            view.resize(size, size);
            const QRect rect = view.SquareRect(44);
            // The man is drawn at the full resolution: its centre is dark, its rim sharp.
            const QImage image = view.grab().toImage();
            QVERIFY(image.pixelColor(rect.center()).lightness() < 100);
            QVERIFY(image.pixelColor(rect.topLeft() + QPoint(2, 2)).lightness() > 100);
        }
    }
};

QTEST_MAIN(BoardViewTest)
#include "board_view_test.moc"
