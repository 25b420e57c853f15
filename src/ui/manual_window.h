// The player's manual (Help > Manual): a Markdown file shipped with the data, shown with
// Qt's own Markdown support.
#pragma once

#include <QDialog>
#include <filesystem>

namespace zelkor::ui {

// The name of the manual in the folder of the shipped data.
inline constexpr const char* kManualFileName = "manual.md";

class frmManual : public QDialog {
    Q_OBJECT
  public:
    // A file that cannot be read is named in the window instead of its text.
    explicit frmManual(const std::filesystem::path& file, QWidget* parent = nullptr);
};

}  // namespace zelkor::ui
