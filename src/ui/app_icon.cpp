#include "ui/app_icon.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <utility>

namespace zelkor::ui {

namespace {

void DrawMan(QPainter& p, QPointF centre, qreal radius, bool white) {
    const QColor body = white ? QColor(244, 240, 228) : QColor(28, 26, 24);
    const QColor rim = white ? QColor(120, 110, 96) : QColor(150, 140, 128);
    p.setPen(QPen(rim, std::max<qreal>(radius * 0.14, 0.8)));
    p.setBrush(body);
    p.drawEllipse(centre, radius, radius);
    if (radius >= 6) {
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(centre, radius * 0.6, radius * 0.6);
    }
}

}  // namespace

QImage DrawAppIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const qreal s = size;
    const qreal inset = s * 0.04;
    const QRectF frame(inset, inset, s - 2 * inset, s - 2 * inset);
    QPainterPath rounded;
    rounded.addRoundedRect(frame, s * 0.12, s * 0.12);
    p.fillPath(rounded, QColor(92, 58, 30));

    // A 4 x 4 corner of the board; the camps in the opposite corners.
    const qreal border = s * 0.09;
    const QRectF board = frame.adjusted(border * 0.6, border * 0.6, -border * 0.6, -border * 0.6);
    const qreal cell = board.width() / 4;
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            const bool blackCamp = row + (3 - col) < 2;  // top right
            const bool whiteCamp = (3 - row) + col < 2;  // bottom left
            QColor shade = (row + col) % 2 ? QColor(181, 136, 86) : QColor(206, 170, 120);
            if (blackCamp) shade = QColor(121, 80, 44);
            if (whiteCamp) shade = QColor(230, 208, 166);
            p.fillRect(QRectF(board.left() + col * cell, board.top() + row * cell, cell, cell),
                       shade);
        }
    }
    auto centre = [&](int row, int col) {
        return QPointF(board.left() + (col + 0.5) * cell, board.top() + (row + 0.5) * cell);
    };
    const qreal radius = cell * 0.38;
    // A White man has left its camp and jumps over a Black man towards Black's camp.
    for (auto [row, col] : {std::pair{0, 3}, std::pair{1, 3}, std::pair{1, 1}})
        DrawMan(p, centre(row, col), radius, false);
    for (auto [row, col] : {std::pair{3, 0}, std::pair{2, 0}})
        DrawMan(p, centre(row, col), radius, true);
    if (size >= 24) {
        QPainterPath arc;
        const QPointF from = centre(2, 1);
        const QPointF to = centre(0, 1);
        arc.moveTo(from + QPointF(cell * 0.25, -cell * 0.05));
        arc.quadTo(centre(1, 1) + QPointF(cell * 0.95, 0), to + QPointF(cell * 0.4, cell * 0.1));
        p.setPen(QPen(QColor(200, 30, 20), std::max<qreal>(s * 0.035, 1.0), Qt::SolidLine,
                      Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(arc);
    }
    DrawMan(p, centre(0, 1), radius, true);
    p.end();
    return image;
}

QIcon AppIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(DrawAppIcon(size)));
    return icon;
}

}  // namespace zelkor::ui
