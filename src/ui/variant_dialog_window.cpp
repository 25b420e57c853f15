#include "ui/variant_dialog_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <vector>

namespace zelkor::ui {

namespace {

struct BoxInfo {
    VariantBox box;
    const char* name;
    const char* caption;
};
constexpr std::array<BoxInfo, kVariantBoxCount> kBoxes = {{
    {VariantBox::BlackBegins, "chkBlackStarts",
     QT_TRANSLATE_NOOP("zelkor::ui::dlgVariants", "Black begins")},
    {VariantBox::HomeLess, "chkHomeLess",
     QT_TRANSLATE_NOOP("zelkor::ui::dlgVariants",
                       "Loses when a man remains in its start camp after 30 moves")},
    {VariantBox::FullHome, "chkFullHome",
     QT_TRANSLATE_NOOP("zelkor::ui::dlgVariants",
                       "Loses when its start camp is full, whatever the colour of the men")},
    {VariantBox::MultipleSquares, "chkLongKings",
     QT_TRANSLATE_NOOP("zelkor::ui::dlgVariants", "Multiple squares movement")},
    {VariantBox::StopOnFirstSquare, "chkKingFirst",
     QT_TRANSLATE_NOOP("zelkor::ui::dlgVariants",
                       "Stop jumping on first square after opponents piece")},
    {VariantBox::JumpsMandatory, "chkCapRequired",
     QT_TRANSLATE_NOOP("zelkor::ui::dlgVariants", "Jumps mandatory")},
    {VariantBox::ForceJumpOut, "chkOutofHome",
     QT_TRANSLATE_NOOP("zelkor::ui::dlgVariants",
                       "Force jump out of the start camp over an enemy man")},
    {VariantBox::StopAtOpponentHome, "chkManContJump",
     QT_TRANSLATE_NOOP("zelkor::ui::dlgVariants", "Stop jumping on reaching the target camp")},
    {VariantBox::MultipleJumps, "chkMulJumps",
     QT_TRANSLATE_NOOP("zelkor::ui::dlgVariants", "Multiple jumps in one move mandatory")},
    {VariantBox::MostJumps, "chkMaxCapMove",
     QT_TRANSLATE_NOOP("zelkor::ui::dlgVariants", "Move with most jumps mandatory")},
}};

}  // namespace

dlgVariants::dlgVariants(VariantDialogLogic& logic, QWidget* parent)
    : QDialog(parent), logic_(logic) {
    setObjectName("dlgVariants");
    setWindowTitle(tr("Variants"));
    setModal(true);

    for (const BoxInfo& info : kBoxes) {
        auto* check = new QCheckBox(tr(info.caption));
        check->setObjectName(info.name);
        boxes_[static_cast<int>(info.box)] = check;
        const VariantBox b = info.box;
        connect(check, &QCheckBox::clicked, this, [this, b](bool checked) {
            logic_.SetBox(b, checked);
            Refresh();
        });
    }

    auto* chooseLabel = new QLabel(tr("Choose a variant:"));
    variants_ = new QComboBox;
    variants_->setObjectName("cboVariants");
    chooseLabel->setBuddy(variants_);
    for (const std::string& name : logic_.names())
        variants_->addItem(QString::fromStdString(name));
    variants_->setCurrentIndex(logic_.selectedIndex());
    connect(variants_, &QComboBox::activated, this, [this](int index) {
        logic_.SelectVariant(index);
        Refresh();
    });
    auto* top = new QHBoxLayout;
    top->addWidget(chooseLabel);
    top->addWidget(variants_, 1);

    auto* misc = new QGroupBox(tr("Misc"));
    auto* miscLayout = new QVBoxLayout(misc);
    for (VariantBox b : {VariantBox::BlackBegins, VariantBox::HomeLess, VariantBox::FullHome})
        miscLayout->addWidget(box(b));
    auto* random = new QPushButton(tr("Random"));
    random->setObjectName("cmdRandom");
    random->setAutoDefault(false);
    connect(random, &QPushButton::clicked, this, [this] {
        logic_.Random();
        Refresh();
    });
    miscLayout->addWidget(random, 0, Qt::AlignLeft);

    auto* movement = new QGroupBox(tr("Movement Directions"));
    auto* movementLayout = new QGridLayout(movement);
    movementLayout->addWidget(box(VariantBox::MultipleSquares), 0, 0, 1, 3);
    movementLayout->addWidget(box(VariantBox::StopOnFirstSquare), 1, 0, 1, 3);
    movementLayout->addWidget(new QLabel(tr("Normal Moves")), 2, 1);
    movementLayout->addWidget(new QLabel(tr("Jump Moves")), 2, 2);
    for (int field = 0; field < kDirectionFieldCount; ++field) {
        auto* edit = new QLineEdit;
        edit->setObjectName(QString("txtDirection%1").arg(field));
        edit->setMinimumWidth(200);
        directions_[field] = edit;
        connect(edit, &QLineEdit::textEdited, this, [this, field, edit](const QString& text) {
            logic_.SetDirectionField(field, text.toStdString());
            ShowField(edit, text.toStdString(), false);
        });
    }
    movementLayout->addWidget(new QLabel(tr("White:")), 3, 0);
    movementLayout->addWidget(directions_[0], 3, 1);
    movementLayout->addWidget(directions_[2], 3, 2);
    movementLayout->addWidget(new QLabel(tr("Black:")), 4, 0);
    movementLayout->addWidget(directions_[1], 4, 1);
    movementLayout->addWidget(directions_[3], 4, 2);

    auto* jumps = new QGroupBox(tr("Jumps"));
    auto* jumpsLayout = new QVBoxLayout(jumps);
    for (VariantBox b :
         {VariantBox::JumpsMandatory, VariantBox::ForceJumpOut, VariantBox::StopAtOpponentHome,
          VariantBox::MultipleJumps, VariantBox::MostJumps})
        jumpsLayout->addWidget(box(b));

    auto* homeBox = new QGroupBox(tr("Target camps (home squares)"));
    auto* homeLayout = new QGridLayout(homeBox);
    homeLayout->setHorizontalSpacing(3);
    for (int field = 0; field < kHomeFieldCount; ++field) {
        auto* edit = new QLineEdit;
        edit->setObjectName(QString("txtHome%1").arg(field));
        edit->setMaxLength(2);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance("WW") + 14);
        home_[field] = edit;
        connect(edit, &QLineEdit::textEdited, this, [this, field, edit](const QString& text) {
            logic_.SetHomeField(field, text.toStdString());
            ShowField(edit, text.toStdString(), false);
        });
    }
    // Black's row above White's, as the board shows Black's home at the bottom.
    homeLayout->addWidget(new QLabel(tr("Black:")), 0, 0);
    homeLayout->addWidget(new QLabel(tr("White:")), 1, 0);
    for (int slot = 0; slot < kHomeSlots; ++slot) {
        homeLayout->addWidget(home_[kHomeSlots + slot], 0, slot + 1);
        homeLayout->addWidget(home_[slot], 1, slot + 1);
    }
    homeLayout->setColumnStretch(kHomeSlots + 1, 1);

    auto* ok = new QPushButton(tr("OK"));
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"));
    cancel->setObjectName("cmdCancel");
    auto* apply = new QPushButton(tr("Apply"));
    apply->setObjectName("cmdApply");
    apply->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, [this] {
        if (Apply()) accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(apply, &QPushButton::clicked, this, &dlgVariants::Apply);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(apply);

    auto* middle = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(misc);
    left->addWidget(jumps);
    middle->addLayout(left);
    middle->addWidget(movement, 1, Qt::AlignTop);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle);
    layout->addWidget(homeBox);
    layout->addLayout(buttons);

    // Keyboard order: the list, the rule boxes frame by frame, the fields, the buttons.
    std::vector<QWidget*> order = {variants_};
    for (VariantBox b : {VariantBox::BlackBegins, VariantBox::HomeLess, VariantBox::FullHome})
        order.push_back(box(b));
    order.push_back(random);
    for (VariantBox b :
         {VariantBox::JumpsMandatory, VariantBox::ForceJumpOut, VariantBox::StopAtOpponentHome,
          VariantBox::MultipleJumps, VariantBox::MostJumps, VariantBox::MultipleSquares,
          VariantBox::StopOnFirstSquare})
        order.push_back(box(b));
    for (int field : {0, 2, 1, 3})
        order.push_back(directions_[field]);
    for (int slot = 0; slot < kHomeSlots; ++slot)
        order.push_back(home_[kHomeSlots + slot]);
    for (int slot = 0; slot < kHomeSlots; ++slot)
        order.push_back(home_[slot]);
    for (QWidget* button : std::initializer_list<QWidget*>{ok, cancel, apply})
        order.push_back(button);
    for (size_t i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);

    Refresh();
}

void dlgVariants::ShowField(QLineEdit* edit, const std::string& text, bool inverted) {
    const QString value = QString::fromStdString(text);
    if (edit->text() != value) edit->setText(value);
    edit->setStyleSheet(inverted ? "QLineEdit { background: black; color: white; }"
                                 : "QLineEdit { background: white; color: black; }");
}

void dlgVariants::Refresh() {
    {
        const QSignalBlocker blocker(variants_);
        variants_->setCurrentIndex(logic_.selectedIndex());
    }
    for (int b = 0; b < kVariantBoxCount; ++b) {
        const auto& state = logic_.box(static_cast<VariantBox>(b));
        boxes_[b]->setChecked(state.checked);
        boxes_[b]->setEnabled(state.enabled);
    }
    const int inverted = logic_.invertedField();
    for (int field = 0; field < kHomeFieldCount; ++field)
        ShowField(home_[field], logic_.homeField(field), inverted == field);
    for (int field = 0; field < kDirectionFieldCount; ++field)
        ShowField(directions_[field], logic_.directionField(field),
                  inverted == VariantDialogLogic::kFirstDirectionField + field);
}

bool dlgVariants::Apply() {
    const bool ok = logic_.Apply();
    Refresh();
    const int inverted = logic_.invertedField();
    if (inverted >= 0) {
        QLineEdit* edit = inverted < kHomeFieldCount
                              ? home_[inverted]
                              : directions_[inverted - VariantDialogLogic::kFirstDirectionField];
        edit->setFocus();
    }
    return ok;
}

void dlgVariants::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (centred_) return;
    centred_ = true;
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
}

}  // namespace zelkor::ui
