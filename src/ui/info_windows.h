// The two windows of the Help menu: the rules of the current variant and About.
#pragma once

#include <QDialog>
#include <QLabel>
#include <string>

namespace zelkor::ui {

class frmRules : public QDialog {
    Q_OBJECT
  public:
    // inForce, when not empty, is shown below the help text under its own heading.
    frmRules(const std::string& variantName, const std::string& helpText,
             const std::string& inForce = std::string(), QWidget* parent = nullptr);
};

class frmAbout : public QDialog {
    Q_OBJECT
  public:
    explicit frmAbout(QWidget* parent = nullptr);
};

}  // namespace zelkor::ui
