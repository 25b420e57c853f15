// The options dialog: four pages of settings with their interlocks. It edits the
// settings record directly through ReadOptions ("OK" and "Apply", which also signals the
// main window to show them at once); "Reset" resets the rating at once, so it survives
// "Cancel".
#pragma once

#include <QDialog>
#include <functional>

#include "game/board_marks.h"
#include "game/master_play.h"
#include "records/settings.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;
class QTabWidget;

namespace zelkor::ui {

class frmOptions : public QDialog {
    Q_OBJECT
  public:
    frmOptions(Settings& settings, int& rating, QWidget* parent = nullptr);
    // The board's feedback marks, edited beside the settings when given.
    void EditFeedback(BoardFeedback* feedback);
    // The Master level and its threads, edited beside the strength when given.
    void EditMaster(MasterChoice* choice);

    void ShowOptions();  // sets every control from the settings and runs the interlocks
    // Copies every control into the settings. A number field left empty is refused: it is
    // shown inverted, gets the focus and "Illegal entry!" is shown; nothing is stored.
    bool ReadOptions();

    // Shows the refusal of a number field; a message box of the dialog's own without it.
    std::function<void(const QString& text, const QString& title)> messageHook;

  signals:
    void applied();  // "Apply" stored the controls in the settings

  private:
    void DepthClicked();
    void TimeClicked();
    void DrawLimitClicked(QCheckBox* clicked, QCheckBox* other);
    void UpdateEnabledStates();
    void ShowRatingCaption();
    void ShowSliderValues();
    bool NumberFieldsHoldNumbers();

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
    QLabel* strengthValue_;
    MasterChoice* masterChoice_ = nullptr;
    QWidget* masterRow_;
    QCheckBox* master_;
    QLabel* threadsLabel_;
    QSpinBox* threads_;
    QLabel* timeValue_;
    QLabel* depthValue_;

    QCheckBox* showMoves_;
    BoardFeedback* feedback_ = nullptr;
    QCheckBox* markLastMove_;
    QCheckBox* markReachable_;
    QCheckBox* explainRefusals_;
    QCheckBox* hintOnBoard_;
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
