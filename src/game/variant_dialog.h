// The logic of the variant dialog: the chosen variant, the ten rule boxes with their
// interlocks, the direction and home-square fields, the random rule draw and the
// validation that writes the fields back into the active rules. The Qt dialog only
// mirrors this state, so tests can drive every rule without any window.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "game/user_interface.h"
#include "records/settings.h"
#include "rules/game_state.h"

namespace zelkor {

// The check boxes of the dialog, in the order they are laid out.
enum class VariantBox {
    BlackBegins,         // BlackStarts
    HomeLess,            // HomeLess
    FullHome,            // FullHome
    MultipleSquares,     // LongKings
    StopOnFirstSquare,   // KingFirst
    JumpsMandatory,      // CapRequired
    ForceJumpOut,        // OutofHome
    StopAtOpponentHome,  // shows 1 - ManContJump
    MultipleJumps,       // MulJumps
    MostJumps,           // MaxCapMove
    kCount
};
constexpr int kVariantBoxCount = static_cast<int>(VariantBox::kCount);

constexpr int kHomeFieldCount = 2 * kHomeSlots;  // field side * 15 + slot
constexpr int kDirectionFieldCount = 4;  // White steps, Black steps, White jumps, Black jumps

// Reads variant number `number` (from 1) of the variant file as the file defines it;
// nothing when it cannot be read (the reader has reported why).
using VariantReader = std::function<std::optional<VariantRules>(int number)>;

// A direction field holds up to eight of the names N, NE, E, SE, S, SW, W, NW joined by
// ";" (upper or lower case); an empty field means no directions of that kind.
bool DirectionFieldValid(const std::string& field);

class VariantDialogLogic {
  public:
    struct BoxState {
        bool checked = false;
        bool enabled = true;
    };

    // `names` fills the variant list; the current variant (Settings::Variant) is selected
    // and shown from the active rules without reading the file.
    VariantDialogLogic(GameState& game, Settings& settings, Random& random, UserInterface& ui,
                       std::vector<std::string> names, VariantReader reader);

    const std::vector<std::string>& names() const { return names_; }
    int selectedIndex() const { return selected_; }
    // Choosing another variant re-reads it from the variant file into both rule sets.
    void SelectVariant(int index);

    const BoxState& box(VariantBox b) const { return boxes_[static_cast<int>(b)]; }
    // A click, or a change made by the program: both run the box's interlock.
    void SetBox(VariantBox b, bool checked);

    const std::string& homeField(int field) const { return homeFields_[field]; }
    const std::string& directionField(int field) const { return directionFields_[field]; }
    // Editing a field restores its normal colours.
    void SetHomeField(int field, const std::string& text);
    void SetDirectionField(int field, const std::string& text);
    // The field shown inverted after a rejected entry: 0..29 home squares, 30..33
    // direction fields; -1 when none.
    int invertedField() const { return inverted_; }
    static constexpr int kFirstDirectionField = kHomeFieldCount;

    // Draws the ten flags at random; they replace the active flags at once.
    void Random();
    // OK and "Apply": writes the dialog into the active rules. False (with "Illegal entry!")
    // when a field is rejected; the dialog then stays open.
    bool Apply();

  private:
    void ShowRules();
    void RunInterlock(VariantBox b);
    void Set(VariantBox b, bool checked) { boxes_[static_cast<int>(b)].checked = checked; }
    void Enable(VariantBox b, bool enabled) { boxes_[static_cast<int>(b)].enabled = enabled; }
    bool Checked(VariantBox b) const { return boxes_[static_cast<int>(b)].checked; }

    GameState& game_;
    Settings& settings_;
    zelkor::Random& random_;
    UserInterface& ui_;
    std::vector<std::string> names_;
    VariantReader reader_;
    int selected_ = -1;
    bool loading_ = false;
    std::array<BoxState, kVariantBoxCount> boxes_{};
    std::array<std::string, kHomeFieldCount> homeFields_;
    std::array<std::string, kDirectionFieldCount> directionFields_;
    DirectionTable directions_{};  // the dialog's own copy until validation succeeds
    int inverted_ = -1;
};

}  // namespace zelkor
