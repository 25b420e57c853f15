// The board: 64 square displays painted from the game state. A square's shade tells
// whose home area it belongs to (White's home "d", Black's "l", the rest "m"). The
// built-in pictures are drawn with QPainter at paint time, so they stay sharp at every
// size; a bitmap set can replace them. The view reports raw pointer events; the main
// window decides what they mean.
#pragma once

#include <QCursor>
#include <QImage>
#include <QWidget>
#include <array>
#include <filesystem>
#include <map>

#include "game/board_marks.h"
#include "records/settings.h"
#include "rules/game_state.h"

namespace zelkor::ui {

enum class Shade { D, M, L };  // White's home, ordinary, Black's home

Shade ShadeOf(const HomeSquares& home, int square);
// The highlight category: 0 White's home (and not Black's), 1 Black's home, 2 others.
int HomeCategory(const HomeSquares& home, int square);
// Men of a side on its own home squares, counted as the win test counts them.
int HomeCount(const GameState& game, int sideIndex);
// Display index 0..63 (reading order of the screen) of a board square and back.
int DisplayIndexOf(int square, bool turned);
int SquareOfDisplayIndex(int index, bool turned);
// What a screen reader says of a square: "e3, white man", "d4, empty".
std::string SquareDescription(const Board& board, int square);

class BoardView : public QWidget {
    Q_OBJECT
  public:
    BoardView(const GameState& game, const Settings& settings, QWidget* parent = nullptr);

    // Full redraw from the game state; removes every highlight box. Between redraws the
    // view keeps showing the position it took then, so a search that walks through
    // positions on the game's board never shows up on the screen.
    void Redraw();
    void HighlightSquare(int square);
    bool highlighted(int square) const { return highlights_.count(square) > 0; }

    // The marks of the board's feedback; each Redraw takes the last move's route afresh
    // (when `feedback` allows it) and removes the others.
    void SetFeedback(const BoardFeedback* feedback) { feedback_ = feedback; }
    void ShowReachable(std::vector<Reachable> reachable);
    void ShowMustMove(std::vector<int> men);
    void ShowHint(MoveRoute route);
    const MoveRoute& hint() const { return hint_; }
    const MoveRoute& lastMoveRoute() const { return lastRoute_; }
    const std::vector<Reachable>& reachable() const { return reachable_; }
    const std::vector<int>& mustMove() const { return mustMove_; }
    // The keyboard's square cursor: 0 hides it.
    void SetCursorSquare(int square);
    int cursorSquare() const { return cursor_; }

    // The eleven files of a bitmap set in `folder`; false (keeping the current pictures)
    // when one of them is missing or unreadable.
    bool LoadBitmapPieceSet(const std::filesystem::path& folder);
    void UseDefaultPieces();
    bool usingBitmaps() const { return bitmaps_; }

    // The drag cursor of a man (+1 White, -1 Black): the man's own picture.
    QCursor PieceCursor(int man) const;
    // While a man is dragged its square shows empty and its picture is drawn under the
    // pointer, where the cursor shows it too (screenshots and some desktops leave the
    // cursor out).
    void ShowDragged(int square, QPoint position);
    void ClearDragged();
    // Pixel size of the printed coordinates.
    int coordinateSize() const;

    // Geometry in widget coordinates.
    int SquareAt(QPoint position) const;  // board square under the point, 0 off the board
    QRect SquareRect(int square) const;
    int squareSize() const;

    QSize sizeHint() const override { return {560, 560}; }
    QSize minimumSizeHint() const override { return {330, 330}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return width; }

  signals:
    void pressed(int square, Qt::MouseButton button, QPoint position);
    void moved(int square, QPoint position);
    void released(int square, Qt::MouseButton button, QPoint position);
    void left();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    struct Geometry {
        int square = 0;
        int margin = 0;
        QPoint origin;  // top-left corner of the squares
    };
    Geometry Layout() const;
    void PaintSquare(QPainter& painter, const QRect& rect, int square) const;
    void PaintDragged(QPainter& painter) const;
    void PaintMarks(QPainter& painter) const;
    void PaintRoute(QPainter& painter, const MoveRoute& route, const QColor& colour,
                    double width) const;

    const GameState& game_;
    const Settings& settings_;
    Board shown_;            // the position of the last redraw
    HomeSquares shownHome_;  // the home squares of the last redraw
    bool bitmaps_ = false;
    // Bitmap pictures indexed by shade * 3 + content (0 empty, 1 black man, 2 white man).
    std::array<QImage, 9> images_;
    QImage whiteCursor_;
    QImage blackCursor_;
    std::map<int, int> highlights_;  // square -> category
    int dragFrom_ = 0;               // square of the dragged man, 0 when none
    const BoardFeedback* feedback_ = nullptr;
    MoveRoute lastRoute_;
    std::vector<Reachable> reachable_;
    std::vector<int> mustMove_;
    MoveRoute hint_;
    int cursor_ = 0;
    QPoint dragAt_;
};

// Draws one built-in square picture: shade with an optional man (+1, -1 or 0).
void PaintBuiltInSquare(QPainter& painter, const QRectF& rect, Shade shade, int man);
void PaintBuiltInMan(QPainter& painter, const QRectF& rect, int man);

}  // namespace zelkor::ui
