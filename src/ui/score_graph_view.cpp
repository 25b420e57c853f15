#include "ui/score_graph_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace zelkor::ui {

namespace {

constexpr int kMinimumPlies = 20;  // an empty game still shows a sensible axis

}  // namespace

ScoreGraphView::ScoreGraphView(const GameState& game, const SearchState& search, QWidget* parent)
    : QWidget(parent), game_(game), search_(search) {
    setObjectName("ScoreGraph");
    setToolTip(tr("The computer's score of its moves (above the line: White stands better)"));
    setMinimumHeight(80);
}

QRectF ScoreGraphView::PlotArea() const {
    const QFontMetricsF metrics(font());
    const qreal left = metrics.horizontalAdvance("+3000") + 8;
    const qreal top = metrics.height() / 2 + 2;
    return QRectF(left, top, std::max<qreal>(width() - left - 8, 10),
                  std::max<qreal>(height() - top - metrics.height() - 4, 10));
}

QString ScoreGraphView::AxisLabel() const {
    const ScoreGraphData data = this->data();
    if (data.plies == 0) return tr("no moves");
    return tr("ply %1").arg(std::max(data.plies, kMinimumPlies));
}

QPointF ScoreGraphView::PointAt(int ply, int score, const ScoreGraphData& data) const {
    const QRectF area = PlotArea();
    const int plies = std::max(data.plies, kMinimumPlies);
    const qreal x = area.left() + area.width() * ply / plies;
    const qreal y = area.center().y() - area.height() / 2 * score / data.range;
    return {x, y};
}

int ScoreGraphView::PlyAt(qreal x) const {
    const ScoreGraphData data = this->data();
    if (data.plies == 0) return 0;
    const QRectF area = PlotArea();
    const int plies = std::max(data.plies, kMinimumPlies);
    const int ply = static_cast<int>(std::lround((x - area.left()) * plies / area.width()));
    return std::clamp(ply, 1, data.plies);
}

void ScoreGraphView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (const int ply = PlyAt(event->position().x())) emit plyClicked(ply);
}

void ScoreGraphView::paintEvent(QPaintEvent*) {
    const ScoreGraphData data = this->data();
    const QRectF area = PlotArea();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().base());

    // Frame, zero line and the range marks.
    const QColor axis = palette().color(QPalette::Mid);
    const QColor text = palette().color(QPalette::Text);
    painter.setPen(QPen(axis, 1));
    painter.drawRect(area);
    const qreal zero = area.center().y();
    painter.setPen(QPen(axis, 1, Qt::DashLine));
    painter.drawLine(QPointF(area.left(), zero), QPointF(area.right(), zero));
    painter.setPen(text);
    const QFontMetricsF metrics(font());
    auto label = [&](const QString& s, qreal y) {
        const QRectF box(0, y - metrics.height() / 2, area.left() - 4, metrics.height());
        painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, s);
    };
    label(QString("+%1").arg(data.range), area.top());
    label("0", zero);
    label(QString("-%1").arg(data.range), area.bottom());
    const int plies = std::max(data.plies, kMinimumPlies);
    painter.drawText(QRectF(area.left(), area.bottom() + 2, area.width(), metrics.height()),
                     Qt::AlignRight | Qt::AlignTop, AxisLabel());

    // Which way is whose advantage.
    painter.setPen(axis);
    const QRectF inside = area.adjusted(4, 1, -4, -1);
    painter.drawText(inside, Qt::AlignLeft | Qt::AlignTop, tr("White better"));
    painter.drawText(inside, Qt::AlignLeft | Qt::AlignBottom, tr("Black better"));

    // The ply on the board.
    if (data.currentPly > 0) {
        const qreal x = PointAt(data.currentPly, 0, data).x();
        painter.setPen(QPen(QColor(220, 40, 30), 1.5));
        painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
    }

    if (data.points.empty()) {
        painter.setPen(axis);
        painter.drawText(area, Qt::AlignCenter, tr("No computer moves yet"));
        return;
    }

    // The line through the scores, then one mark per move in the mover's colour;
    // clipped scores are triangles pointing out of the graph.
    QPainterPath path;
    for (size_t i = 0; i < data.points.size(); ++i) {
        const QPointF p = PointAt(data.points[i].ply, data.points[i].score, data);
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    painter.setPen(QPen(QColor(40, 90, 170), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);

    const qreal r = std::clamp<qreal>(area.width() / plies / 3, 2.0, 4.0);
    for (const ScoreGraphPoint& point : data.points) {
        const QPointF p = PointAt(point.ply, point.score, data);
        painter.setPen(QPen(QColor(30, 30, 30), 1));
        painter.setBrush(point.side == kWhite ? QColor(250, 250, 245) : QColor(30, 30, 30));
        if (point.clipped) {
            const qreal dir = point.score > 0 ? -1 : 1;  // outwards
            const QPointF tri[3] = {p + QPointF(0, dir * r * 1.6), p + QPointF(-r * 1.3, 0),
                                    p + QPointF(r * 1.3, 0)};
            if (point.decisive) painter.setBrush(QColor(220, 40, 30));
            painter.drawPolygon(tri, 3);
        } else {
            painter.drawEllipse(p, r, r);
        }
    }
}

}  // namespace zelkor::ui
