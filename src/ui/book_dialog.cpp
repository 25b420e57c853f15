#include "ui/book_dialog.h"

#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelkor::ui {

frmBook::frmBook(const std::vector<std::string>& lines, const std::string& gamesLabel,
                 const std::string& movesLabel, QWidget* parent)
    : QDialog(parent) {
    setObjectName("frmBook");
    setWindowTitle(tr("Book moves"));
    list_ = new QListWidget;
    list_->setObjectName("lstBook");
    list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    for (const std::string& line : lines)
        list_->addItem(QString::fromStdString(line));
    auto* games = new QLabel(QString::fromStdString(gamesLabel));
    games->setObjectName("lblGames");
    auto* moves = new QLabel(QString::fromStdString(movesLabel));
    moves->setObjectName("lblMoves");
    auto* ok = new QPushButton(tr("OK"));
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(games);
    layout->addWidget(moves);
    layout->addWidget(ok, 0, Qt::AlignRight);
    resize(260, 320);
}

std::string frmBook::SelectedText() const {
    const QListWidgetItem* item = list_->currentItem();
    if (!item || !item->isSelected()) return {};
    return item->text().toStdString();
}

}  // namespace zelkor::ui
