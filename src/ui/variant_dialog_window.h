// The "Variants" dialog: widgets over VariantDialogLogic, which holds every rule.
#pragma once

#include <QDialog>
#include <array>

#include "game/variant_dialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace zelkor::ui {

class dlgVariants : public QDialog {
    Q_OBJECT
  public:
    explicit dlgVariants(VariantDialogLogic& logic, QWidget* parent = nullptr);

    QCheckBox* box(VariantBox b) const { return boxes_[static_cast<int>(b)]; }
    QLineEdit* homeField(int field) const { return home_[field]; }
    QLineEdit* directionField(int field) const { return directions_[field]; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void Refresh();  // shows the logic's state
    void ShowField(QLineEdit* edit, const std::string& text, bool inverted);
    bool Apply();

    VariantDialogLogic& logic_;
    QComboBox* variants_;
    std::array<QCheckBox*, kVariantBoxCount> boxes_{};
    std::array<QLineEdit*, kHomeFieldCount> home_{};
    std::array<QLineEdit*, kDirectionFieldCount> directions_{};
    bool centred_ = false;
};

}  // namespace zelkor::ui
