#include "ui/info_windows.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QUrl>
#include <QVBoxLayout>

#include "game/rules_text.h"
#include "records/settings.h"
#include "ui/manual_window.h"
#include "ui/translation.h"

namespace zelkor::ui {

frmRules::frmRules(const std::string& variantName, const std::string& helpText,
                   const std::string& inForce, QWidget* parent)
    : QDialog(parent) {
    setObjectName("frmRules");
    setWindowTitle(tr(" Rules for %1").arg(QString::fromStdString(variantName)));
    auto* text =
        new QLabel(helpText.empty() ? tr("No help available") : QString::fromStdString(helpText));
    text->setObjectName("lblHelp");
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    auto* page = new QWidget;
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(text);
    if (!inForce.empty()) {
        auto* heading =
            new QLabel(tr("The rules of this game have been changed. The rules in force:"));
        heading->setObjectName("lblInForceHeading");
        heading->setWordWrap(true);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        auto* rules = new QLabel(QString::fromStdString(inForce));
        rules->setObjectName("lblInForce");
        rules->setWordWrap(true);
        rules->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        pageLayout->addSpacing(8);
        pageLayout->addWidget(heading);
        pageLayout->addWidget(rules);
    }
    auto* guide = new QLabel(QString::fromStdString(BoardGuideText(QtTranslator())));
    guide->setObjectName("lblGuide");
    guide->setWordWrap(true);
    guide->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    pageLayout->addSpacing(8);
    pageLayout->addWidget(guide);
    pageLayout->addStretch();
    auto* scroll = new QScrollArea;
    scroll->setWidget(page);
    scroll->setWidgetResizable(true);
    scroll->setMinimumSize(420, 260);
    auto* ok = new QPushButton(tr("OK"));
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll);
    layout->addWidget(ok, 0, Qt::AlignRight);
    resize(560, inForce.empty() ? 380 : 520);
}

LinkLabel::LinkLabel(const QString& text, const QString& target, QWidget* parent)
    : QLabel(text, parent), target_(target) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, QColor(0, 0, 200));
    setPalette(p);
}

void LinkLabel::SetUnderlined(bool underlined) {
    QFont f = font();
    f.setUnderline(underlined);
    setFont(f);
}

void LinkLabel::enterEvent(QEnterEvent*) {
    SetUnderlined(true);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    emit clicked(target_);
    SetUnderlined(false);
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Space) {
        emit clicked(target_);
        return;
    }
    QLabel::keyPressEvent(event);
}

frmAbout::frmAbout(QWidget* parent, const std::filesystem::path& manualFile) : QDialog(parent) {
    setObjectName("frmAbout");
    setWindowTitle(tr("About Zelkor"));
    setMouseTracking(true);
    auto* product = new QLabel("Zelkor");
    product->setObjectName("lblProduct");
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 2);
    big.setBold(true);
    product->setFont(big);
    auto* version = new QLabel(tr("Version %1").arg(kProgramVersion));
    version->setObjectName("lblVersion");
    auto* description = new QLabel(tr("Halma and its variants on an 8x8 board"));
    description->setObjectName("lblDescription");
    auto* ownership = new QLabel(tr("Copyright (C) 2026 the Zelkor developers"));
    ownership->setObjectName("lblOwnership");
    manual_ =
        new LinkLabel(tr("The manual (Help > Manual)"),
                      QUrl::fromLocalFile(QString::fromStdString(manualFile.string())).toString());
    manual_->setObjectName("lblManual");
    connect(manual_, &LinkLabel::clicked, this, [this, manualFile] {
        frmManual manual(manualFile, this);
        manual.exec();
    });
    auto* ok = new QPushButton(tr("OK"));
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    for (QWidget* w :
         std::initializer_list<QWidget*>{product, version, description, ownership, manual_})
        layout->addWidget(w);
    layout->addSpacing(8);
    layout->addWidget(ok, 0, Qt::AlignRight);
    // Enter closes the window; the links are reached with Tab.
    ok->setFocus();
}

void frmAbout::mouseMoveEvent(QMouseEvent* event) {
    // Over the window's background: the link is not underlined.
    manual_->SetUnderlined(false);
    QDialog::mouseMoveEvent(event);
}

}  // namespace zelkor::ui
