#include "ui/toolbar_icons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <functional>

#include "ui/board_view.h"

namespace zelkor::ui {

namespace {

using Drawer = std::function<void(QPainter&, QIcon::Mode)>;

// Paints in a 24 x 24 design grid, scaled to whatever size is asked for.
class DrawnIconEngine : public QIconEngine {
  public:
    explicit DrawnIconEngine(Drawer draw) : draw_(std::move(draw)) {}
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 24.0, rect.height() / 24.0);
        if (mode == QIcon::Disabled) painter->setOpacity(0.35);
        draw_(*painter, mode);
        painter->restore();
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        QPixmap pixmap(size * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }
    QIconEngine* clone() const override { return new DrawnIconEngine(draw_); }

  private:
    Drawer draw_;
};

QIcon Drawn(Drawer draw) {
    return QIcon(new DrawnIconEngine(std::move(draw)));
}

const QColor kInk(40, 40, 48);

void Triangle(QPainter& p, bool left, double x, const QColor& colour) {
    QPainterPath path;
    if (left) {
        path.moveTo(x + 7, 5);
        path.lineTo(x, 12);
        path.lineTo(x + 7, 19);
    } else {
        path.moveTo(x, 5);
        path.lineTo(x + 7, 12);
        path.lineTo(x, 19);
    }
    path.closeSubpath();
    p.fillPath(path, colour);
}

void Page(QPainter& p) {
    QPainterPath page;
    page.moveTo(5, 2);
    page.lineTo(15, 2);
    page.lineTo(20, 7);
    page.lineTo(20, 22);
    page.lineTo(5, 22);
    page.closeSubpath();
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(Qt::white);
    p.drawPath(page);
}

void Letters(QPainter& p, const QString& text, const QRectF& rect, double size,
             const QColor& colour) {
    QFont font = p.font();
    font.setPixelSize(static_cast<int>(size));
    font.setBold(true);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(rect, Qt::AlignCenter, text);
}

void Man(QPainter& p, double x, double y, double size, int man) {
    PaintBuiltInMan(p, QRectF(x, y, size, size), man);
}

}  // namespace

QIcon ToolbarIcon(const QString& key) {
    const QColor blue(40, 90, 180);
    const QColor green(30, 140, 60);
    const QColor red(200, 40, 40);
    if (key == "New Game")
        return Drawn([](QPainter& p, QIcon::Mode) {
            Page(p);
            Man(p, 6, 8, 13, kBlackMan);
        });
    if (key == "New Variant")
        return Drawn([=](QPainter& p, QIcon::Mode) {
            Page(p);
            Letters(p, "V", QRectF(5, 6, 15, 16), 13, blue);
        });
    if (key == "Open")
        return Drawn([](QPainter& p, QIcon::Mode) {
            p.setPen(QPen(QColor(150, 110, 30), 1.2));
            p.setBrush(QColor(240, 200, 90));
            p.drawRect(QRectF(2, 6, 20, 15));
            p.setBrush(QColor(250, 220, 130));
            QPainterPath flap;
            flap.moveTo(5, 10);
            flap.lineTo(23, 10);
            flap.lineTo(20, 21);
            flap.lineTo(2, 21);
            flap.closeSubpath();
            p.drawPath(flap);
        });
    if (key == "Save")
        return Drawn([=](QPainter& p, QIcon::Mode) {
            p.setPen(QPen(kInk, 1.2));
            p.setBrush(blue);
            p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(7, 3, 10, 7));
            p.drawRect(QRectF(6, 14, 12, 7));
        });
    if (key == "Compute")
        return Drawn([=](QPainter& p, QIcon::Mode) {
            p.setPen(Qt::NoPen);
            p.setBrush(green);
            p.drawEllipse(QRectF(2, 2, 20, 20));
            Triangle(p, false, 9, Qt::white);
        });
    if (key == "Cancel")
        return Drawn([=](QPainter& p, QIcon::Mode) {
            p.setPen(Qt::NoPen);
            p.setBrush(red);
            p.drawEllipse(QRectF(2, 2, 20, 20));
            p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(8, 8), QPointF(16, 16));
            p.drawLine(QPointF(16, 8), QPointF(8, 16));
        });
    if (key == "First")
        return Drawn([](QPainter& p, QIcon::Mode) {
            p.fillRect(QRectF(4, 5, 2.5, 14), kInk);
            Triangle(p, true, 7, kInk);
            Triangle(p, true, 13, kInk);
        });
    if (key == "Back") return Drawn([](QPainter& p, QIcon::Mode) { Triangle(p, true, 8, kInk); });
    if (key == "Forward")
        return Drawn([](QPainter& p, QIcon::Mode) { Triangle(p, false, 9, kInk); });
    if (key == "Last")
        return Drawn([](QPainter& p, QIcon::Mode) {
            Triangle(p, false, 4, kInk);
            Triangle(p, false, 10, kInk);
            p.fillRect(QRectF(17.5, 5, 2.5, 14), kInk);
        });
    if (key == "Draw")
        return Drawn([](QPainter& p, QIcon::Mode) {
            Letters(p, QString::fromUtf8("\u00BD"), QRectF(0, 0, 24, 24), 18, kInk);
        });
    if (key == "Resign")
        return Drawn([](QPainter& p, QIcon::Mode) {
            p.setPen(QPen(kInk, 1.6));
            p.drawLine(QPointF(6, 3), QPointF(6, 22));
            p.setBrush(Qt::white);
            p.setPen(QPen(kInk, 1.2));
            QPainterPath flag;
            flag.moveTo(6.5, 4);
            flag.cubicTo(11, 2, 14, 7, 20, 4);
            flag.lineTo(20, 13);
            flag.cubicTo(14, 16, 11, 11, 6.5, 13);
            flag.closeSubpath();
            p.drawPath(flag);
        });
    if (key == "Hint")
        return Drawn([](QPainter& p, QIcon::Mode) {
            p.setPen(QPen(QColor(160, 120, 0), 1.2));
            p.setBrush(QColor(255, 220, 60));
            p.drawEllipse(QRectF(3, 2, 18, 18));
            Letters(p, "?", QRectF(3, 2, 18, 18), 14, kInk);
        });
    if (key == "ComputerPlayer" || key == "PlayerPlayer" || key == "ComputerComputer") {
        const QString first = key.startsWith("Computer") ? "C" : "P";
        const QString second = key.endsWith("Computer") && key != "ComputerPlayer" ? "C" : "P";
        return Drawn([=](QPainter& p, QIcon::Mode) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(240, 236, 226));
            p.drawEllipse(QRectF(1, 4, 12, 12));
            p.setBrush(QColor(40, 38, 36));
            p.drawEllipse(QRectF(11, 8, 12, 12));
            Letters(p, first, QRectF(1, 4, 12, 12), 9, kInk);
            Letters(p, second, QRectF(11, 8, 12, 12), 9, Qt::white);
        });
    }
    if (key == "Options")
        return Drawn([=](QPainter& p, QIcon::Mode) {
            p.setPen(QPen(kInk, 1.6, Qt::SolidLine, Qt::RoundCap));
            for (int i = 0; i < 3; ++i)
                p.drawLine(QPointF(3, 6 + 6 * i), QPointF(21, 6 + 6 * i));
            p.setPen(QPen(kInk, 1.2));
            p.setBrush(blue);
            const double knobs[3] = {15, 7, 12};
            for (int i = 0; i < 3; ++i)
                p.drawEllipse(QPointF(knobs[i], 6 + 6 * i), 2.6, 2.6);
        });
    if (key == "Analyze")
        return Drawn([](QPainter& p, QIcon::Mode) {
            p.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(QColor(200, 225, 255));
            p.drawEllipse(QRectF(3, 3, 13, 13));
            p.drawLine(QPointF(14.5, 14.5), QPointF(21, 21));
        });
    if (key == "TurnBoard")
        return Drawn([=](QPainter& p, QIcon::Mode) {
            p.setPen(QPen(blue, 2.2, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(4, 4, 16, 16), 30 * 16, 150 * 16);
            p.drawArc(QRectF(4, 4, 16, 16), 210 * 16, 150 * 16);
            QPainterPath head1;
            head1.moveTo(19, 3);
            head1.lineTo(20.5, 10);
            head1.lineTo(14, 8);
            head1.closeSubpath();
            p.fillPath(head1, blue);
            QPainterPath head2;
            head2.moveTo(5, 21);
            head2.lineTo(3.5, 14);
            head2.lineTo(10, 16);
            head2.closeSubpath();
            p.fillPath(head2, blue);
        });
    return {};
}

}  // namespace zelkor::ui
