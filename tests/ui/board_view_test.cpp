// The board view: camp shades, the pointer and the piece sets; the pictures of the board
// (highlights, hint, rings, the turned board and both notations) and of the score graph.
#include <QImage>
#include <QtTest>
#include <memory>

#include "picture_sum.h"
#include "support/fakes.h"
#include "ui/board_view.h"
#include "ui/score_graph_view.h"

using namespace zelkor;
using namespace zelkor::ui;

namespace {

struct Fixture {
    std::unique_ptr<GameState> game = std::make_unique<GameState>();
    Settings settings;
    BoardView view{*game, settings};
    explicit Fixture(int width = 400, int height = 400) {
        game->active = DefaultRules();
        game->board = EmptyBoard();
        view.resize(width, height);
        view.Redraw();
    }
    QColor At(int square, QPoint offset = {}) {
        const QRect rect = view.SquareRect(square);
        return view.grab().toImage().pixelColor(offset.isNull() ? rect.center()
                                                                : rect.topLeft() + offset);
    }
};

}  // namespace

class BoardViewTest : public QObject {
    Q_OBJECT
  private slots:
    void shadesFollowTheHomeListsAndHomeCounts() {
        const HomeSquares rules = DefaultRules().home;
        QVERIFY(std::tuple(HomeCategory(rules, 91), HomeCategory(rules, 28),
                           HomeCategory(rules, 44)) == std::tuple(0, 1, 2));
        Fixture f;  // the shades themselves are pinned with the board's picture below
        // The view shows the position of its last redraw, not the live board.
        f.game->board[91] = kWhiteMan;
        QCOMPARE(f.At(91), f.At(91, {3, 3}));
        f.view.Redraw();  // the camp's shade shows around the man
        QVERIFY(f.At(91, {3, 3}) == f.At(92, {3, 3}) && f.At(91) != f.At(92));
        f.game->board[92] = kWhiteMan;
        f.game->board[93] = kBlackMan;  // on White's home, counts for nobody
        f.game->board[28] = kBlackMan;
        QCOMPARE(HomeCount(*f.game, 0) * 10 + HomeCount(*f.game, 1), 21);
    }

    void pointerGeometry() {
        Fixture f(500, 400);
        const QRect a8 = f.view.SquareRect(91), h1 = f.view.SquareRect(28);
        const std::pair<QPoint, int> points[] = {{a8.center(), 91},
                                                 {h1.bottomRight(), 28},
                                                 {a8.topLeft() - QPoint(1, 1), 0},
                                                 {a8.topLeft() + QPoint(-1, 5), 0},
                                                 {h1.bottomRight() + QPoint(1, 0), 0},
                                                 {QPoint(h1.right() + 1, a8.center().y()), 0}};
        for (auto [point, square] : points)
            QCOMPARE(f.view.SquareAt(point), square);
    }

    void bitmapPieceSetAndBuiltInPictures() {
        Fixture f;
        const std::filesystem::path shipped = test::ShippedDataDir() / "pieces" / "brownandblack";
        QVERIFY(f.view.LoadBitmapPieceSet(shipped) && f.view.usingBitmaps());
        f.game->board[44] = kBlackMan;  // drawn from the set's pictures, then built in (below)
        f.view.Redraw();
        QVERIFY(f.At(44).lightness() < 100 && f.At(45).lightness() > 100);
        const QImage white = f.view.PieceCursor(kWhiteMan).pixmap().toImage();
        const QImage black = f.view.PieceCursor(kBlackMan).pixmap().toImage();
        const QPoint middle(white.width() / 2, white.height() / 2);
        QVERIFY(white.pixelColor(middle).lightness() > black.pixelColor(middle).lightness() + 60);
        for (int man : {kWhiteMan, kBlackMan}) {  // the man's picture under the pointer
            f.game->board[44] = man;
            f.view.Redraw();
            f.view.ShowDragged(44, f.view.SquareRect(45).center());
            QCOMPARE(f.At(45).lightness() < 100, man == kBlackMan);
            f.view.ClearDragged();
        }
        f.view.UseDefaultPieces();
        QVERIFY(!f.view.usingBitmaps());
        // A set missing a file or with an unreadable picture is refused.
        test::TempDir dir;
        for (const auto& entry : std::filesystem::directory_iterator(shipped))
            std::filesystem::copy(entry.path(), dir.path() / entry.path().filename());
        std::filesystem::remove(dir / "black.ico");
        QVERIFY(!f.view.LoadBitmapPieceSet(dir.path()) && !f.view.usingBitmaps());
        std::filesystem::copy(shipped / "black.ico", dir / "black.ico");
        test::WriteFile(dir / "msquare.bmp", "not a picture");
        QVERIFY(!f.view.LoadBitmapPieceSet(dir.path()));

        // The built-in man is drawn at full resolution: its centre dark, its rim sharp.
        for (int size : {240, 900}) {
            f.view.resize(size, size);
            f.view.Redraw();
            QVERIFY(f.At(44).lightness() < 100 && f.At(44, {2, 2}).lightness() > 100);
        }
    }

    // The board with men, camps, marks, a hint and rings, plain and turned, and the score graph
    // of a few computer moves are drawn as approved: a sum over their pixels is pinned.
    void boardAndGraphAreDrawnAsApproved() {
        Fixture f(480, 440);
        for (auto [square, man] : {std::pair(91, kWhiteMan), std::pair(55, kWhiteMan),
                                   std::pair(44, kBlackMan), std::pair(28, kBlackMan)})
            f.game->board[square] = man;
        const BoardFeedback feedback;  // and the last move's route, e3-e4
        f.view.SetFeedback(&feedback);
        std::tie(f.game->gamePly, f.game->gameRecord[1]) = std::tuple(1, Move{45, 55, 0, 0});
        QStringList sums;
        // Plain, turned (its letters and digits the other way), without coordinates.
        for (auto [turned, notation] : {std::pair(0, 0), std::pair(1, 0), std::pair(0, 1)}) {
            std::tie(f.settings.BoardTurned, f.settings.Notation) = std::tuple(turned, notation);
            f.view.Redraw();
            const QImage plain = f.view.grab().toImage();
            f.view.HighlightSquare(91);
            f.view.HighlightSquare(46);
            f.view.ShowMustMove({55});
            f.view.ShowHint(MoveRoute{{44, 46}, {}});
            sums << test::SumText(test::PictureSum(f.view.grab().toImage()));
            f.view.Redraw();  // the marks, the hint and the rings last until the next redraw
            QCOMPARE(f.view.grab().toImage(), plain);
        }
        SearchState search;
        f.game->recordLength = f.game->gamePly = 6;
        for (int ply = 1; ply <= 6; ++ply) {
            MoveTextRow& row = f.game->moveTexts[(ply + 1) / 2];
            (ply % 2 ? row.firstBy : row.secondBy).assign(1, ply == 4 ? '0' : '1');
            search.scoreHistory[ply] = static_cast<int16_t>(ply % 2 ? 40 * ply : -150);
        }
        f.game->gamePly = 3;
        ScoreGraphView graph(*f.game, search);
        graph.resize(320, 120);
        sums << test::SumText(test::PictureSum(graph.grab().toImage()));
        QCOMPARE(sums.join(' '),
                 QString("de686ee766a7be3c 364f765ab80556f3 cd3ed42d7394ea5a 90c5fe08a6b4b243"));
    }
};

QTEST_MAIN(BoardViewTest)
#include "board_view_test.moc"
