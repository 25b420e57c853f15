// The options dialog: four pages of settings with their interlocks. It edits the
// settings record directly through ReadOptions ("OK" and "Apply"); "Reset" resets the
// rating at once, so it survives "Cancel".
#pragma once

#include <QDialog>

#include "records/settings.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;

namespace zelkor::ui {

// The leading numeric part of a text, as a typed number field reads it: blanks skipped,
// an optional sign, digits; anything else reads as 0.
long long NumericValue(const QString& text);

class frmOptions : public QDialog {
    Q_OBJECT
  public:
    frmOptions(Settings& settings, int& rating, QWidget* parent = nullptr);

    void ShowOptions();  // sets every control from the settings and runs the interlocks
    void ReadOptions();  // copies every control into the settings, clamping the numbers

  private:
    void DepthClicked();
    void TimeClicked();
    void DrawLimitClicked(QCheckBox* clicked, QCheckBox* other);
    void UpdateEnabledStates();
    void ShowRatingCaption();

    Settings& settings_;
    int& rating_;

    QTabWidget* tabs_;
    QSlider* strength_;
    QCheckBox* useTime_;
    QSlider* time_;
    QCheckBox* useDepth_;
    QSlider* depth_;
    QCheckBox* flexibleTime_;
    QCheckBox* countdown_;
    QList<QLabel*> timeLabels_;
    QList<QLabel*> depthLabels_;

    QCheckBox* showMoves_;
    QCheckBox* capitals_;
    QRadioButton* jumpX_;
    QRadioButton* jumpColon_;

    QCheckBox* extended_;
    QLabel* pliesLabel_;
    QLineEdit* plies_;
    QLabel* balanceLabel_;
    QLineEdit* balance_;
    QCheckBox* bruteForce_;
    QCheckBox* book_;
    QLabel* fromLabel_;
    QRadioButton* bookFile_;
    QRadioButton* bookGames_;
    QCheckBox* chessDraw_;
    QLabel* drawLabel_;
    QCheckBox* draw10_;
    QCheckBox* draw15_;
    QCheckBox* askDraw_;

    QLineEdit* name_;
    QCheckBox* confirmExit_;
    QCheckBox* useRating_;
    QPushButton* reset_;
};

}  // namespace zelkor::ui
