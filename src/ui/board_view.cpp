#include "ui/board_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "records/text_file.h"
#include "rules/win.h"

namespace zelkor::ui {

namespace {

// A picture of the piece set is a few kilobytes; anything this large is no picture.
constexpr std::uintmax_t kMaxPictureSize = 16u << 20;

bool InList(const std::array<int32_t, kHomeSlots>& list, int square) {
    return std::find(list.begin(), list.end(), square) != list.end();
}

QColor ShadeColour(Shade shade) {
    switch (shade) {
        case Shade::D:
            return QColor(226, 201, 156);
        case Shade::L:
            return QColor(128, 86, 50);
        case Shade::M:
        default:
            return QColor(184, 140, 92);
    }
}

// File names of the bitmap set, in the order they are checked and loaded.
constexpr std::array<const char*, 11> kBitmapFiles = {
    "dsquare.bmp",    "dblack_man.bmp", "dwhite_man.bmp", "msquare.bmp",
    "mblack_man.bmp", "mwhite_man.bmp", "lsquare.bmp",    "lblack_man.bmp",
    "lwhite_man.bmp", "white.ico",      "black.ico"};

}  // namespace

Shade ShadeOf(const HomeSquares& home, int square) {
    if (InList(home[0], square)) return Shade::D;
    if (InList(home[1], square)) return Shade::L;
    return Shade::M;
}

int HomeCategory(const HomeSquares& home, int square) {
    const bool white = InList(home[0], square);
    const bool black = InList(home[1], square);
    if (white && !black) return 0;
    if (black) return 1;
    return 2;
}

int HomeCount(const GameState& game, int sideIndex) {
    const WinState win = CheckWinConditions(game);
    return sideIndex == 0 ? win.whiteIn : win.blackIn;
}

int DisplayIndexOf(int square, bool turned) {
    if (!IsPlayingSquare(square)) return -1;
    const int row = RowOf(square);
    const int column = ColumnOf(square);
    if (!turned) return (9 - row) * 8 + (column - 1);
    return (row - 2) * 8 + (8 - column);
}

int SquareOfDisplayIndex(int index, bool turned) {
    if (index < 0 || index > 63) return 0;
    if (!turned) return 90 - 10 * (index / 8) + 1 + index % 8;
    return 10 * (index / 8) + 28 - index % 8;
}

void PaintBuiltInMan(QPainter& painter, const QRectF& rect, int man) {
    if (man != kWhiteMan && man != kBlackMan) return;
    const double size = std::min(rect.width(), rect.height());
    const QPointF centre = rect.center();
    const double radius = size * 0.38;
    const bool white = man == kWhiteMan;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // A soft shadow below the man.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 60));
    painter.drawEllipse(centre + QPointF(size * 0.03, size * 0.04), radius, radius);
    QRadialGradient body(centre - QPointF(radius * 0.35, radius * 0.35), radius * 1.4);
    if (white) {
        body.setColorAt(0, QColor(255, 255, 255));
        body.setColorAt(1, QColor(214, 206, 188));
    } else {
        body.setColorAt(0, QColor(92, 88, 84));
        body.setColorAt(1, QColor(18, 16, 14));
    }
    painter.setBrush(body);
    painter.setPen(
        QPen(white ? QColor(110, 100, 86) : QColor(150, 140, 128), std::max(1.0, size * 0.035)));
    painter.drawEllipse(centre, radius, radius);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(
        QPen(white ? QColor(170, 160, 140) : QColor(80, 76, 72), std::max(1.0, size * 0.025)));
    painter.drawEllipse(centre, radius * 0.62, radius * 0.62);
    painter.restore();
}

void PaintBuiltInSquare(QPainter& painter, const QRectF& rect, Shade shade, int man) {
    painter.fillRect(rect, ShadeColour(shade));
    PaintBuiltInMan(painter, rect, man);
}

BoardView::BoardView(const GameState& game, const Settings& settings, QWidget* parent)
    : QWidget(parent),
      game_(game),
      settings_(settings),
      shown_(game.board),
      shownHome_(game.active.home) {
    setObjectName("BoardView");
    setMouseTracking(true);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

std::string SquareDescription(const Board& board, int square) {
    if (!IsPlayingSquare(square)) return {};
    const int value = board[square];
    return SquareName(square) + (value == kWhiteMan   ? ", white man"
                                 : value == kBlackMan ? ", black man"
                                                      : ", empty");
}

void BoardView::Redraw() {
    shown_ = game_.board;
    shownHome_ = game_.active.home;
    highlights_.clear();
    lastRoute_ = feedback_ && feedback_->lastMove ? LastMoveRoute(game_) : MoveRoute{};
    reachable_.clear();
    mustMove_.clear();
    hint_ = MoveRoute{};
    if (cursor_)
        setAccessibleDescription(QString::fromStdString(SquareDescription(shown_, cursor_)));
    update();
}

void BoardView::ShowReachable(std::vector<Reachable> reachable) {
    reachable_ = std::move(reachable);
    update();
}

void BoardView::ShowHint(MoveRoute route) {
    hint_ = std::move(route);
    update();
}

void BoardView::ShowMustMove(std::vector<int> men) {
    mustMove_ = std::move(men);
    update();
}

void BoardView::SetCursorSquare(int square) {
    cursor_ = IsPlayingSquare(square) ? square : 0;
    // Screen readers read the square under the cursor as the board's description.
    setAccessibleDescription(cursor_ ? QString::fromStdString(SquareDescription(shown_, cursor_))
                                     : QString());
    update();
}

void BoardView::PaintRoute(QPainter& painter, const MoveRoute& route, const QColor& colour,
                           double width) const {
    if (route.stops.size() < 2) return;
    QPainterPath path(QRectF(SquareRect(route.stops[0])).center());
    for (size_t i = 1; i < route.stops.size(); ++i)
        path.lineTo(QRectF(SquareRect(route.stops[i])).center());
    QPen pen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    // An arrow head at the end, pointing along the last leg.
    const QPointF end = QRectF(SquareRect(route.stops.back())).center();
    const QPointF before = QRectF(SquareRect(route.stops[route.stops.size() - 2])).center();
    const QPointF along = end - before;
    const double length = std::hypot(along.x(), along.y());
    if (length < 1) return;
    const QPointF unit = along / length;
    const QPointF normal(-unit.y(), unit.x());
    const double head = width * 3;
    const QPointF tip = end - unit * (squareSize() * 0.22);
    QPolygonF arrow;
    arrow << tip << tip - unit * head + normal * head * 0.6
          << tip - unit * head - normal * head * 0.6;
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(arrow);
}

void BoardView::PaintMarks(QPainter& painter) const {
    const int size = squareSize();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (!lastRoute_.empty()) {
        // The last move: its squares tinted, the way it went as a line with an arrow.
        const QColor tint(255, 214, 0, 70);
        for (int square : lastRoute_.passed)
            painter.fillRect(SquareRect(square), QColor(255, 214, 0, 35));
        for (int square : lastRoute_.stops)  // the men stay clear of the tint
            if (shown_[square] == kEmpty) painter.fillRect(SquareRect(square), tint);
        QPen frame(QColor(230, 170, 0), std::max(2.0, size / 20.0));
        frame.setJoinStyle(Qt::MiterJoin);
        painter.setPen(frame);
        painter.setBrush(Qt::NoBrush);
        for (int square : {lastRoute_.stops.front(), lastRoute_.stops.back()})
            painter.drawRect(QRectF(SquareRect(square)).adjusted(1.5, 1.5, -1.5, -1.5));
        PaintRoute(painter, lastRoute_, QColor(230, 150, 0, 170), std::max(2.0, size / 14.0));
    }
    if (!hint_.empty()) {
        // The hint: a blue frame on its two squares and the way between them.
        QPen frame(QColor(30, 110, 230), std::max(2.0, size / 16.0));
        painter.setPen(frame);
        painter.setBrush(Qt::NoBrush);
        for (int square : {hint_.stops.front(), hint_.stops.back()})
            painter.drawRect(QRectF(SquareRect(square)).adjusted(3, 3, -3, -3));
        PaintRoute(painter, hint_, QColor(30, 110, 230, 190), std::max(2.0, size / 14.0));
    }
    for (int square : mustMove_) {
        QPen ring(QColor(220, 40, 30), std::max(2.0, size / 16.0));
        painter.setPen(ring);
        painter.setBrush(Qt::NoBrush);
        const QRectF r = QRectF(SquareRect(square))
                             .adjusted(size * 0.06, size * 0.06, -size * 0.06, -size * 0.06);
        painter.drawEllipse(r);
    }
    for (const Reachable& reach : reachable_) {
        if (reach.jump) PaintRoute(painter, reach.route, QColor(20, 140, 60, 150), size / 18.0);
        painter.setPen(QPen(QColor(255, 255, 255, 200), std::max(1.0, size / 40.0)));
        painter.setBrush(QColor(20, 150, 60, 210));
        painter.drawEllipse(QRectF(SquareRect(reach.square)).center(), size * 0.14, size * 0.14);
    }
    if (cursor_) {
        QPen pen(QColor(20, 90, 220), std::max(2.0, size / 14.0), Qt::DashLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(SquareRect(cursor_)).adjusted(3, 3, -3, -3));
    }
    painter.restore();
}

void BoardView::HighlightSquare(int square) {
    if (!IsPlayingSquare(square)) return;
    highlights_[square] = HomeCategory(shownHome_, square);
    update();
}

bool BoardView::LoadBitmapPieceSet(const std::filesystem::path& folder) {
    // Read as bytes through the data-file check: a pipe in a picture's place cannot block,
    // and a folder name in any encoding is used as it is.
    std::array<QImage, 11> loaded;
    for (size_t i = 0; i < kBitmapFiles.size(); ++i) {
        const std::optional<std::string> bytes =
            ReadDataFile(folder / kBitmapFiles[i], kMaxPictureSize);
        if (!bytes) return false;
        loaded[i].loadFromData(QByteArray::fromStdString(*bytes));
        if (loaded[i].isNull()) return false;
    }
    std::copy(loaded.begin(), loaded.begin() + 9, images_.begin());
    whiteCursor_ = loaded[9];
    blackCursor_ = loaded[10];
    bitmaps_ = true;
    Redraw();
    return true;
}

void BoardView::UseDefaultPieces() {
    bitmaps_ = false;
    Redraw();
}

QCursor BoardView::PieceCursor(int man) const {
    if (bitmaps_) {
        const QImage& image = man == kWhiteMan ? whiteCursor_ : blackCursor_;
        return QCursor(QPixmap::fromImage(image));
    }
    const qreal ratio = devicePixelRatioF();
    const int size = std::max(32, squareSize());
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    PaintBuiltInMan(painter, QRectF(0, 0, size, size), man);
    painter.end();
    return QCursor(pixmap, size / 2, size / 2);
}

void BoardView::ShowDragged(int square, QPoint position) {
    dragFrom_ = IsPlayingSquare(square) ? square : 0;
    dragAt_ = position;
    update();
}

void BoardView::ClearDragged() {
    dragFrom_ = 0;
    update();
}

void BoardView::PaintDragged(QPainter& painter) const {
    const int man = shown_[dragFrom_];
    if (man != kWhiteMan && man != kBlackMan) return;
    if (bitmaps_) {
        const QImage& image = man == kWhiteMan ? whiteCursor_ : blackCursor_;
        QRect rect(QPoint(), image.size());
        rect.moveCenter(dragAt_);
        painter.drawImage(rect, image);
        return;
    }
    const int size = std::max(32, squareSize());
    QRect rect(0, 0, size, size);
    rect.moveCenter(dragAt_);
    PaintBuiltInMan(painter, rect, man);
}

BoardView::Geometry BoardView::Layout() const {
    Geometry g;
    const int side = std::min(width(), height());
    // Room for coordinates that stay legible on a small board.
    g.margin = std::max(20, side / 22);
    g.square = std::max(8, (side - 2 * g.margin) / 8);
    const int boardSize = g.square * 8;
    g.origin = QPoint((width() - boardSize) / 2, (height() - boardSize) / 2);
    return g;
}

int BoardView::squareSize() const {
    return Layout().square;
}

int BoardView::coordinateSize() const {
    return std::max(13, Layout().margin * 2 / 3);
}

QRect BoardView::SquareRect(int square) const {
    const int index = DisplayIndexOf(square, settings_.BoardTurned != 0);
    if (index < 0) return {};
    const Geometry g = Layout();
    return QRect(g.origin.x() + (index % 8) * g.square, g.origin.y() + (index / 8) * g.square,
                 g.square, g.square);
}

int BoardView::SquareAt(QPoint position) const {
    const Geometry g = Layout();
    const QPoint p = position - g.origin;
    if (p.x() < 0 || p.y() < 0) return 0;
    const int column = p.x() / g.square;
    const int row = p.y() / g.square;
    if (column > 7 || row > 7) return 0;
    return SquareOfDisplayIndex(row * 8 + column, settings_.BoardTurned != 0);
}

void BoardView::PaintSquare(QPainter& painter, const QRect& rect, int square) const {
    const int value = square == dragFrom_ ? kEmpty : shown_[square];
    if (value != kEmpty && value != kWhiteMan && value != kBlackMan) return;
    const Shade shade = ShadeOf(shownHome_, square);
    if (bitmaps_) {
        const int content = value == kEmpty ? 0 : value == kBlackMan ? 1 : 2;
        const QImage& image = images_[static_cast<int>(shade) * 3 + content];
        painter.drawImage(rect, image);
        return;
    }
    PaintBuiltInSquare(painter, rect, shade, value);
}

void BoardView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const Geometry g = Layout();
    const bool turned = settings_.BoardTurned != 0;
    const QRect boardRect(g.origin, QSize(g.square * 8, g.square * 8));
    painter.fillRect(boardRect.adjusted(-2, -2, 2, 2), QColor(60, 40, 24));
    for (int index = 0; index < 64; ++index) {
        const int square = SquareOfDisplayIndex(index, turned);
        PaintSquare(painter, SquareRect(square), square);
    }
    PaintMarks(painter);
    for (const auto& [square, category] : highlights_) {
        const QRect rect = SquareRect(square);
        const double unit = g.square / 568.0;
        const QRectF box(rect.x() + 16 * unit, rect.y() + 16 * unit, 528 * unit, 528 * unit);
        QPen pen(category == 0 ? QColor(255, 255, 0) : QColor(0, 0, 255));
        pen.setWidthF(std::max(2.0, g.square / 24.0));
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box);
    }
    if (settings_.Notation == 0) {
        QFont font = painter.font();
        font.setPixelSize(coordinateSize());
        painter.setFont(font);
        painter.setPen(palette().color(QPalette::WindowText));
        for (int i = 1; i <= 8; ++i) {
            char letter = static_cast<char>(turned ? 'H' - i + 1 : 'A' + i - 1);
            if (!settings_.CapitalLetters) letter = static_cast<char>(letter - 'A' + 'a');
            const char digit = static_cast<char>(turned ? '9' - i : '1' + i - 1);
            const QRect letterRect(g.origin.x() + (i - 1) * g.square, boardRect.bottom() + 3,
                                   g.square, g.margin);
            painter.drawText(letterRect, Qt::AlignHCenter | Qt::AlignTop, QString(QChar(letter)));
            const QRect digitRect(g.origin.x() - g.margin - 3, boardRect.bottom() - i * g.square,
                                  g.margin, g.square);
            painter.drawText(digitRect, Qt::AlignRight | Qt::AlignVCenter, QString(QChar(digit)));
        }
    }
    if (dragFrom_ != 0) PaintDragged(painter);
}

void BoardView::mousePressEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    const int square = SquareAt(position);
    if (square != 0) emit pressed(square, event->button(), position);
}

void BoardView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    emit moved(SquareAt(position), position);
}

void BoardView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    emit released(SquareAt(position), event->button(), position);
}

void BoardView::leaveEvent(QEvent*) {
    emit left();
}

}  // namespace zelkor::ui
