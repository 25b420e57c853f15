// The score graph: the computer's score of each of its moves over the game, plies from
// left to right, White's advantage upwards, the ply on the board marked. It reads the
// game whenever it paints, so an update() after a move or a navigation step is enough.
#pragma once

#include <QWidget>

#include "engine/engine.h"
#include "game/score_graph.h"
#include "rules/game_state.h"

namespace zelkor::ui {

class ScoreGraphView : public QWidget {
    Q_OBJECT
  public:
    ScoreGraphView(const GameState& game, const SearchState& search, QWidget* parent = nullptr);

    ScoreGraphData data() const { return MakeScoreGraph(game_, search_); }
    // The ply axis's label: its length, or "no moves" before the first.
    QString AxisLabel() const;
    // Where a point of the graph lies in widget coordinates (the plot area's mapping).
    QPointF PointAt(int ply, int score, const ScoreGraphData& data) const;
    QRectF PlotArea() const;

    // The ply nearest to a horizontal position, 1..plies; 0 when there are no plies.
    int PlyAt(qreal x) const;

    QSize sizeHint() const override { return {320, 120}; }
    QSize minimumSizeHint() const override { return {160, 80}; }

  signals:
    // A click asks to show the position after that ply.
    void plyClicked(int ply);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    const GameState& game_;
    const SearchState& search_;
};

}  // namespace zelkor::ui
