// "Book moves": the proposals of several book games, one of which the computer plays.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QLabel;
class QListWidget;

namespace zelkor::ui {

class frmBook : public QDialog {
    Q_OBJECT
  public:
    frmBook(const std::vector<std::string>& lines, const std::string& gamesLabel,
            const std::string& movesLabel, QWidget* parent = nullptr);
    // The selected line, empty when none is selected.
    std::string SelectedText() const;

  private:
    QListWidget* list_;
};

}  // namespace zelkor::ui
