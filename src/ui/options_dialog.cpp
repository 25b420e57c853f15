#include "ui/options_dialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValidator>
#include <algorithm>

namespace zelkor::ui {

namespace {

constexpr int kMaxPlies = 3;
constexpr int kMaxBalance = 750;

// A number field takes only the keystrokes that leave a whole number within its range, or
// nothing yet: what it shows is what is stored.
class NumberRange : public QValidator {
  public:
    NumberRange(int minimum, int maximum, QObject* parent)
        : QValidator(parent), minimum_(minimum), maximum_(maximum) {}
    State validate(QString& text, int&) const override {
        if (text.isEmpty()) return Intermediate;
        if (text.size() > 9) return Invalid;
        for (const QChar c : text)
            if (c < '0' || c > '9') return Invalid;
        const int value = text.toInt();
        return value >= minimum_ && value <= maximum_ ? Acceptable : Invalid;
    }

  private:
    int minimum_;
    int maximum_;
};

QCheckBox* MakeCheck(const char* name, const QString& caption) {
    auto* box = new QCheckBox(caption);
    box->setObjectName(name);
    return box;
}

QSlider* MakeSlider(const char* name, int minimum, int maximum) {
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setObjectName(name);
    slider->setRange(minimum, maximum);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(std::max(1, (maximum - minimum) / 9));
    slider->setMinimumWidth(240);
    return slider;
}

// The label beside a slider that shows its value while it moves.
QLabel* MakeValueLabel(const char* name, const QString& widest) {
    auto* label = new QLabel;
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(widest) + 4);
    return label;
}

// A slider with its value beside it and its three end labels below it.
QWidget* SliderWithLabels(QSlider* slider, QLabel* value, const QStringList& labels,
                          QList<QLabel*>* keep) {
    auto* box = new QWidget;
    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setVerticalSpacing(0);
    layout->addWidget(slider, 0, 0);
    layout->addWidget(value, 0, 1);
    if (keep) keep->append(value);
    auto* row = new QHBoxLayout;
    for (int i = 0; i < labels.size(); ++i) {
        auto* label = new QLabel(labels[i]);
        if (i == 0) label->setAlignment(Qt::AlignLeft);
        if (i == 1) label->setAlignment(Qt::AlignHCenter);
        if (i == 2) label->setAlignment(Qt::AlignRight);
        row->addWidget(label, 1);
        if (keep) keep->append(label);
    }
    layout->addLayout(row, 1, 0);
    return box;
}

}  // namespace

frmOptions::frmOptions(Settings& settings, int& rating, QWidget* parent)
    : QDialog(parent), settings_(settings), rating_(rating) {
    setObjectName("frmOptions");
    setWindowTitle(tr(" Options"));
    setModal(true);

    tabs_ = new QTabWidget;
    tabs_->setObjectName("tbsOptions");

    // Computer.
    auto* computer = new QWidget;
    auto* computerLayout = new QVBoxLayout(computer);
    auto* frame1 = new QGroupBox(tr("Strength"));
    frame1->setObjectName("Frame1");
    strength_ = MakeSlider("Slider2", 1, 10);
    strengthValue_ = MakeValueLabel("Slider2Value", "10");
    auto* frame1Layout = new QVBoxLayout(frame1);
    frame1Layout->addWidget(SliderWithLabels(strength_, strengthValue_,
                                             {tr("Easy"), tr("Medium"), tr("Hard")}, nullptr));
    // Beside the levels: the Master level and the threads it searches with.
    masterRow_ = new QWidget;
    auto* masterLayout = new QHBoxLayout(masterRow_);
    masterLayout->setContentsMargins(0, 0, 0, 0);
    master_ = MakeCheck("chkMaster", tr("Master (strongest, beyond level 10)"));
    threadsLabel_ = new QLabel(tr("Threads:"));
    threads_ = new QSpinBox;
    threads_->setObjectName("txtThreads");
    threads_->setRange(1, kMaxMasterThreads);
    threadsLabel_->setBuddy(threads_);
    masterLayout->addWidget(master_);
    masterLayout->addStretch();
    masterLayout->addWidget(threadsLabel_);
    masterLayout->addWidget(threads_);
    masterRow_->setVisible(false);  // shown once there is a choice to edit
    frame1Layout->addWidget(masterRow_);
    computerLayout->addWidget(frame1);

    auto* level = new QGroupBox(tr("Level"));
    level->setObjectName("fraSample1");
    auto* levelLayout = new QGridLayout(level);
    useTime_ = MakeCheck("Check2", QString());
    auto* timeLabel = new QLabel(tr("Time:"));
    timeLabel->setBuddy(useTime_);
    time_ = MakeSlider("Slider1", 1, 180);
    timeLabels_ = {timeLabel};
    levelLayout->addWidget(useTime_, 0, 0, Qt::AlignTop);
    levelLayout->addWidget(timeLabel, 0, 1, Qt::AlignTop);
    timeValue_ = MakeValueLabel("Slider1Value", tr("%1 sec").arg(180));
    levelLayout->addWidget(SliderWithLabels(time_, timeValue_, {"1", "90", "180"}, &timeLabels_), 0,
                           2);
    useDepth_ = MakeCheck("Check1", QString());
    auto* depthLabel = new QLabel(tr("Depth:"));
    depthLabel->setBuddy(useDepth_);
    depth_ = MakeSlider("Slider4", 1, 20);
    depthLabels_ = {depthLabel};
    levelLayout->addWidget(useDepth_, 1, 0, Qt::AlignTop);
    levelLayout->addWidget(depthLabel, 1, 1, Qt::AlignTop);
    depthValue_ =
        MakeValueLabel("Slider4Value", tr("%1 sec").arg(180));  // both sliders equally long
    levelLayout->addWidget(SliderWithLabels(depth_, depthValue_, {"1", "10", "20"}, &depthLabels_),
                           1, 2);
    flexibleTime_ = MakeCheck("Check12", tr("Flexible Time Management"));
    countdown_ = MakeCheck("Check14", tr("Countdown Timer"));
    levelLayout->addWidget(flexibleTime_, 2, 0, 1, 3);
    levelLayout->addWidget(countdown_, 3, 0, 1, 3);
    computerLayout->addWidget(level);
    computerLayout->addStretch();
    tabs_->addTab(computer, tr("Computer"));

    // Board.
    auto* board = new QWidget;
    auto* boardLayout = new QVBoxLayout(board);
    auto* boardFrame = new QGroupBox(tr("Board"));
    boardFrame->setObjectName("fraSample2");
    auto* boardFrameLayout = new QVBoxLayout(boardFrame);
    showMoves_ = MakeCheck("Check3", tr("Show available moves"));
    capitals_ = MakeCheck("Check5", tr("Notation in capital letters"));
    boardFrameLayout->addWidget(showMoves_);
    boardFrameLayout->addWidget(capitals_);
    auto* jumpRow = new QHBoxLayout;
    jumpRow->addWidget(new QLabel(tr("Jump character:")));
    jumpX_ = new QRadioButton(tr("X"));
    jumpX_->setObjectName("Option1");
    jumpX_->setProperty("index", 0);
    jumpColon_ = new QRadioButton(":");
    jumpColon_->setObjectName("Option1");
    jumpColon_->setProperty("index", 1);
    jumpRow->addWidget(jumpX_);
    jumpRow->addWidget(jumpColon_);
    jumpRow->addStretch();
    boardFrameLayout->addLayout(jumpRow);
    boardLayout->addWidget(boardFrame);
    auto* marksFrame = new QGroupBox(tr("Feedback on the board"));
    marksFrame->setObjectName("fraMarks");
    auto* marksLayout = new QVBoxLayout(marksFrame);
    markLastMove_ = MakeCheck("chkMarkLastMove", tr("Mark the last move"));
    markReachable_ =
        MakeCheck("chkMarkReachable", tr("Mark the squares a picked-up man can reach"));
    explainRefusals_ = MakeCheck("chkExplainRefusals", tr("Say why a move is refused"));
    hintOnBoard_ = MakeCheck("chkHintOnBoard", tr("Show the hint on the board"));
    for (QCheckBox* box : {markLastMove_, markReachable_, explainRefusals_, hintOnBoard_})
        marksLayout->addWidget(box);
    boardLayout->addWidget(marksFrame);
    marksFrame->setVisible(false);  // shown once there is feedback to edit
    boardLayout->addStretch();
    tabs_->addTab(board, tr("Board"));

    // Engine.
    auto* engine = new QWidget;
    auto* engineLayout = new QVBoxLayout(engine);
    auto* search = new QGroupBox(tr(" Search "));
    search->setObjectName("Frame4");
    auto* searchLayout = new QGridLayout(search);
    extended_ = MakeCheck("Check7", tr("Extended search"));
    pliesLabel_ = new QLabel(tr("Plies (default=1) :"));
    plies_ = new QLineEdit;
    plies_->setObjectName("Text2");
    plies_->setValidator(new NumberRange(1, kMaxPlies, plies_));
    pliesLabel_->setBuddy(plies_);
    balanceLabel_ = new QLabel(tr("Balance (default=150) :"));
    balance_ = new QLineEdit;
    balance_->setObjectName("Text3");
    balance_->setValidator(new NumberRange(1, kMaxBalance, balance_));
    balanceLabel_->setBuddy(balance_);
    bruteForce_ = MakeCheck("Check13", tr("Brute force"));
    searchLayout->addWidget(extended_, 0, 0, 1, 2);
    searchLayout->addWidget(pliesLabel_, 1, 0);
    searchLayout->addWidget(plies_, 1, 1);
    searchLayout->addWidget(balanceLabel_, 2, 0);
    searchLayout->addWidget(balance_, 2, 1);
    searchLayout->addWidget(bruteForce_, 3, 0, 1, 2);
    engineLayout->addWidget(search);

    auto* bookFrame = new QGroupBox(tr(" Book "));
    bookFrame->setObjectName("Frame3");
    auto* bookLayout = new QHBoxLayout(bookFrame);
    book_ = MakeCheck("Check9", tr("Opening book"));
    fromLabel_ = new QLabel(tr("from:"));
    bookFile_ = new QRadioButton(tr("File"));
    bookFile_->setObjectName("Option2");
    bookFile_->setProperty("index", 0);
    bookGames_ = new QRadioButton(tr("Games"));
    bookGames_->setObjectName("Option2");
    bookGames_->setProperty("index", 1);
    bookLayout->addWidget(book_);
    bookLayout->addWidget(fromLabel_);
    bookLayout->addWidget(bookFile_);
    bookLayout->addWidget(bookGames_);
    bookLayout->addStretch();
    engineLayout->addWidget(bookFrame);

    auto* drawFrame = new QGroupBox(tr(" Draw "));
    drawFrame->setObjectName("fraSample3");
    auto* drawLayout = new QGridLayout(drawFrame);
    chessDraw_ = MakeCheck("Check4", tr("Use Chess drawing rules"));
    drawLabel_ = new QLabel(tr("Number of moves in 50 move rule:"));
    draw10_ = MakeCheck("Check10", "10");
    draw15_ = MakeCheck("Check11", "15");
    askDraw_ = MakeCheck("Check8", tr("Ask for draw if computer thinks it's a draw"));
    drawLayout->addWidget(chessDraw_, 0, 0, 1, 3);
    drawLayout->addWidget(drawLabel_, 1, 0);
    drawLayout->addWidget(draw10_, 1, 1);
    drawLayout->addWidget(draw15_, 1, 2);
    drawLayout->addWidget(askDraw_, 2, 0, 1, 3);
    engineLayout->addWidget(drawFrame);
    engineLayout->addStretch();
    tabs_->addTab(engine, tr("Engine"));

    // Misc.
    auto* misc = new QWidget;
    auto* miscLayout = new QVBoxLayout(misc);
    auto* frame2 = new QGroupBox(tr("Misc"));
    frame2->setObjectName("Frame2");
    auto* frame2Layout = new QGridLayout(frame2);
    auto* nameLabel = new QLabel(tr("Your Name:"));
    name_ = new QLineEdit;
    name_->setObjectName("Text1");
    nameLabel->setBuddy(name_);
    confirmExit_ = MakeCheck("Check6", tr("Ask confirmation on exit"));
    useRating_ = MakeCheck("Check16", tr("Use Rating ()"));
    reset_ = new QPushButton(tr("Reset"));
    reset_->setObjectName("Command1");
    reset_->setAutoDefault(false);
    frame2Layout->addWidget(nameLabel, 0, 0);
    frame2Layout->addWidget(name_, 0, 1, 1, 2);
    frame2Layout->addWidget(confirmExit_, 1, 0, 1, 3);
    frame2Layout->addWidget(useRating_, 2, 0, 1, 2);
    frame2Layout->addWidget(reset_, 2, 2);
    miscLayout->addWidget(frame2);
    miscLayout->addStretch();
    tabs_->addTab(misc, tr("Misc"));

    for (int i = 0; i < 4; ++i)
        tabs_->widget(i)->setProperty("key", QString("Group%1").arg(i + 1));

    auto* ok = new QPushButton(tr("OK"));
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"));
    cancel->setObjectName("cmdCancel");
    auto* apply = new QPushButton(tr("Apply"));
    apply->setObjectName("cmdApply");
    apply->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(apply);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, [this] {
        if (ReadOptions()) accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(apply, &QPushButton::clicked, this, [this] {
        if (ReadOptions()) emit applied();
    });
    for (QSlider* slider : {strength_, time_, depth_})
        connect(slider, &QSlider::valueChanged, this, &frmOptions::ShowSliderValues);
    for (QLineEdit* field : {plies_, balance_})
        connect(field, &QLineEdit::textEdited, field, [field] { field->setPalette(QPalette()); });
    connect(useDepth_, &QCheckBox::clicked, this, &frmOptions::DepthClicked);
    connect(useTime_, &QCheckBox::clicked, this, &frmOptions::TimeClicked);
    connect(draw10_, &QCheckBox::clicked, this, [this] { DrawLimitClicked(draw10_, draw15_); });
    connect(draw15_, &QCheckBox::clicked, this, [this] { DrawLimitClicked(draw15_, draw10_); });
    for (QCheckBox* box : {chessDraw_, extended_, book_, master_})
        connect(box, &QCheckBox::toggled, this, &frmOptions::UpdateEnabledStates);
    connect(reset_, &QPushButton::clicked, this, [this] {
        rating_ = 1200;
        ShowRatingCaption();
    });
    auto* nextTab = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    nextTab->setContext(Qt::WindowShortcut);
    connect(nextTab, &QShortcut::activated, this,
            [this] { tabs_->setCurrentIndex((tabs_->currentIndex() + 1) % tabs_->count()); });

    ShowOptions();
}

void frmOptions::ShowRatingCaption() {
    useRating_->setText(tr("Use Rating (%1)").arg(rating_));
}

void frmOptions::ShowOptions() {
    const Settings& s = settings_;
    strength_->setValue(10 - s.Handicap);
    depth_->setValue(s.SearchDepth);
    time_->setValue(s.ThinkTime);
    useDepth_->setChecked(s.UseDepth == 1);
    useTime_->setChecked(s.UseDepth != 1);
    flexibleTime_->setChecked(s.FixedTime == 0);
    countdown_->setChecked(s.CountdownTimer != 0);
    showMoves_->setChecked(s.ShowMoves != 0);
    capitals_->setChecked(s.CapitalLetters != 0);
    (s.JumpChar == 0 ? jumpX_ : jumpColon_)->setChecked(true);
    extended_->setChecked(s.ExtendedSearch != 0);
    // A settings file may hold numbers the fields cannot: they show the nearest they can.
    plies_->setText(QString::number(std::clamp<int>(s.ExtendedPlies, 1, kMaxPlies)));
    balance_->setText(QString::number(std::clamp<int>(s.Balance, 1, kMaxBalance)));
    bruteForce_->setChecked(s.BruteForce != 0);
    book_->setChecked(s.UseBook != 0);
    (s.BookFromGames == 1 ? bookGames_ : bookFile_)->setChecked(true);
    chessDraw_->setChecked(s.ChessDrawRules != 0);
    draw10_->setChecked(s.DrawRule15 == 0);
    draw15_->setChecked(s.DrawRule15 != 0);
    askDraw_->setChecked(s.AskDraw != 0);
    // The default name in the user's language (it is kept as typed once applied).
    name_->setText(s.PlayerName == Settings().PlayerName
                       ? QCoreApplication::translate("Game", "Player")
                       : QString::fromStdString(s.PlayerName));
    confirmExit_->setChecked(s.ConfirmExit != 0);
    useRating_->setChecked(s.UseRating != 0);
    ShowRatingCaption();
    ShowSliderValues();
    UpdateEnabledStates();
}

void frmOptions::ShowSliderValues() {
    strengthValue_->setText(QString::number(strength_->value()));
    timeValue_->setText(tr("%1 sec").arg(time_->value()));
    depthValue_->setText(tr("%1 ply").arg(depth_->value()));
}

bool frmOptions::NumberFieldsHoldNumbers() {
    for (QLineEdit* field : {plies_, balance_}) {
        if (field->hasAcceptableInput()) continue;
        QPalette inverted = field->palette();
        inverted.setColor(QPalette::Base, Qt::black);
        inverted.setColor(QPalette::Text, Qt::white);
        field->setPalette(inverted);
        tabs_->setCurrentWidget(tabs_->widget(2));
        field->setFocus();
        if (messageHook)
            messageHook(tr("Illegal entry!"), tr("Error"));
        else
            QMessageBox::warning(this, tr("Error"), tr("Illegal entry!"));
        return false;
    }
    return true;
}

void frmOptions::EditMaster(MasterChoice* choice) {
    masterChoice_ = choice;
    masterRow_->setVisible(choice != nullptr);
    if (!choice) return;
    master_->setChecked(choice->master);
    threads_->setValue(std::clamp(choice->threads, 1, kMaxMasterThreads));
    UpdateEnabledStates();
}

void frmOptions::EditFeedback(BoardFeedback* feedback) {
    feedback_ = feedback;
    findChild<QGroupBox*>("fraMarks")->setVisible(feedback != nullptr);
    if (!feedback) return;
    markLastMove_->setChecked(feedback->lastMove);
    markReachable_->setChecked(feedback->reachable);
    explainRefusals_->setChecked(feedback->reasons);
    hintOnBoard_->setChecked(feedback->hintOnBoard);
}

bool frmOptions::ReadOptions() {
    if (!NumberFieldsHoldNumbers()) return false;
    if (name_->text().trimmed().isEmpty()) {
        tabs_->setCurrentWidget(tabs_->widget(3));
        name_->setFocus();
        if (messageHook)
            messageHook(tr("Please enter your name."), tr("Error"));
        else
            QMessageBox::warning(this, tr("Error"), tr("Please enter your name."));
        return false;
    }
    if (feedback_) {
        feedback_->lastMove = markLastMove_->isChecked();
        feedback_->reachable = markReachable_->isChecked();
        feedback_->reasons = explainRefusals_->isChecked();
        feedback_->hintOnBoard = hintOnBoard_->isChecked();
    }
    if (masterChoice_) {
        masterChoice_->master = master_->isChecked();
        masterChoice_->threads = threads_->value();
    }
    Settings& s = settings_;
    s.Handicap = static_cast<uint8_t>(10 - strength_->value());
    s.SearchDepth = depth_->value();
    s.ShowMoves = showMoves_->isChecked();
    s.ChessDrawRules = chessDraw_->isChecked();
    s.ThinkTime = static_cast<int16_t>(time_->value());
    s.PlayerName = name_->text().trimmed().toStdString();
    s.CapitalLetters = capitals_->isChecked();
    s.ConfirmExit = confirmExit_->isChecked();
    s.ExtendedSearch = extended_->isChecked();
    s.AskDraw = askDraw_->isChecked();
    s.UseBook = book_->isChecked();
    s.BruteForce = bruteForce_->isChecked();
    s.UseRating = useRating_->isChecked();
    s.FixedTime = flexibleTime_->isChecked() ? 0 : 1;
    s.CountdownTimer = countdown_->isChecked();
    s.UseDepth = useDepth_->isChecked() ? 1 : 0;
    s.DrawRule15 = draw10_->isChecked() ? 0 : 1;
    s.JumpChar = jumpX_->isChecked() ? 0 : 1;
    s.BookFromGames = bookGames_->isChecked() ? 1 : 0;
    s.ExtendedPlies = static_cast<uint8_t>(plies_->text().toInt());
    s.Balance = static_cast<int16_t>(balance_->text().toInt());
    return true;
}

void frmOptions::DepthClicked() {
    if (useDepth_->isChecked())
        useTime_->setChecked(false);
    else if (!useTime_->isChecked())
        useDepth_->setChecked(true);
    UpdateEnabledStates();
}

void frmOptions::TimeClicked() {
    if (useTime_->isChecked())
        useDepth_->setChecked(false);
    else if (!useDepth_->isChecked())
        useTime_->setChecked(true);
    UpdateEnabledStates();
}

void frmOptions::DrawLimitClicked(QCheckBox* clicked, QCheckBox* other) {
    other->setChecked(!clicked->isChecked());
}

void frmOptions::UpdateEnabledStates() {
    // Master plays at no strength level; its threads matter only when it plays.
    const bool master = masterChoice_ && master_->isChecked();
    strength_->setEnabled(!master);
    strengthValue_->setEnabled(!master);
    threadsLabel_->setEnabled(master);
    threads_->setEnabled(master);
    const bool depth = useDepth_->isChecked();
    time_->setEnabled(!depth);
    for (QLabel* label : timeLabels_)
        label->setEnabled(!depth);
    depth_->setEnabled(depth);
    for (QLabel* label : depthLabels_)
        label->setEnabled(depth);
    const bool chess = chessDraw_->isChecked();
    drawLabel_->setEnabled(chess);
    draw10_->setEnabled(chess);
    draw15_->setEnabled(chess);
    const bool extended = extended_->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{pliesLabel_, plies_, balanceLabel_, balance_})
        w->setEnabled(extended);
    const bool book = book_->isChecked();
    fromLabel_->setEnabled(book);
    bookFile_->setEnabled(book);
    bookGames_->setEnabled(book);
}

}  // namespace zelkor::ui
