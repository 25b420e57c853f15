// The two windows of the Help menu: the rules of the current variant and About.
#pragma once

#include <QDialog>
#include <QLabel>
#include <filesystem>
#include <string>

namespace zelkor::ui {

class frmRules : public QDialog {
    Q_OBJECT
  public:
    // inForce, when not empty, is shown below the help text under its own heading.
    frmRules(const std::string& variantName, const std::string& helpText,
             const std::string& inForce = std::string(), QWidget* parent = nullptr);
};

// A label that shows a link: underlined while the pointer is over it, and opening its
// target with the desktop's default handler when clicked.
class LinkLabel : public QLabel {
    Q_OBJECT
  public:
    LinkLabel(const QString& text, const QString& target, QWidget* parent = nullptr);
    const QString& target() const { return target_; }
    void SetUnderlined(bool underlined);
    bool underlined() const { return font().underline(); }

  signals:
    void clicked(const QString& target);

  protected:
    void enterEvent(QEnterEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QString target_;
};

// The link shows the player's manual (manualFile) in its own window.
class frmAbout : public QDialog {
    Q_OBJECT
  public:
    explicit frmAbout(QWidget* parent = nullptr, const std::filesystem::path& manualFile = {});

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    LinkLabel* manual_;
};

}  // namespace zelkor::ui
