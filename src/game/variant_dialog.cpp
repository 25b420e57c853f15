#include "game/variant_dialog.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace zelkor {

namespace {

constexpr std::array<const char*, 8> kDirectionNames = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};

std::string Upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The flag each box shows, and whether the box shows it inverted.
struct BoxFlag {
    RuleFlag flag;
    bool inverted;
};
constexpr std::array<BoxFlag, kVariantBoxCount> kBoxFlags = {{
    {BlackStarts, false},
    {HomeLess, false},
    {FullHome, false},
    {LongKings, false},
    {KingFirst, false},
    {CapRequired, false},
    {OutofHome, false},
    {ManContJump, true},
    {MulJumps, false},
    {MaxCapMove, false},
}};

VariantBox BoxOf(RuleFlag flag) {
    for (int b = 0; b < kVariantBoxCount; ++b)
        if (kBoxFlags[b].flag == flag) return static_cast<VariantBox>(b);
    return VariantBox::BlackBegins;
}

}  // namespace

bool DirectionFieldValid(const std::string& field) {
    if (field.empty()) return true;
    const std::string text = Upper(field);
    int count = 0;
    size_t start = 0;
    while (true) {
        const size_t end = text.find(';', start);
        const std::string name =
            text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (std::find(kDirectionNames.begin(), kDirectionNames.end(), name) ==
            kDirectionNames.end())
            return false;
        if (++count > 8) return false;
        if (end == std::string::npos) return true;
        start = end + 1;
    }
}

VariantDialogLogic::VariantDialogLogic(GameState& game, Settings& settings, zelkor::Random& random,
                                       UserInterface& ui, std::vector<std::string> names,
                                       VariantReader reader)
    : game_(game),
      settings_(settings),
      random_(random),
      ui_(ui),
      names_(std::move(names)),
      reader_(std::move(reader)) {
    loading_ = true;
    directions_ = game_.directions;
    for (int side = 0; side < 2; ++side) {
        for (int slot = 0; slot < kHomeSlots; ++slot) {
            const int square = game_.active.home[side][slot];
            homeFields_[side * kHomeSlots + slot] =
                IsPlayingSquare(square) ? SquareName(square) : std::string();
        }
        const std::string& text = game_.active.directions[side];
        const size_t blank = text.find(' ');
        directionFields_[side] = text.substr(0, blank);
        directionFields_[side + 2] = blank == std::string::npos ? "" : text.substr(blank + 1);
    }
    // A variant number beyond the list still shows the active rules.
    int index = settings_.Variant - 1;
    if (names_.empty()) names_.push_back(game_.active.name);
    index = std::clamp(index, 0, static_cast<int>(names_.size()) - 1);
    SelectVariant(index);
}

void VariantDialogLogic::SelectVariant(int index) {
    if (index < 0 || index >= static_cast<int>(names_.size())) return;
    selected_ = index;
    if (!loading_ && reader_) {
        if (const std::optional<VariantRules> rules = reader_(index + 1)) {
            game_.active.name = game_.defined.name = rules->name;
            game_.active.help = game_.defined.help = rules->help;
            game_.active.flags = game_.defined.flags = rules->flags;
            game_.defined.home = rules->home;
            game_.defined.directions = rules->directions;
            for (int side = 0; side < 2; ++side) {
                for (int slot = 0; slot < kHomeSlots; ++slot) {
                    const int square = rules->home[side][slot];
                    homeFields_[side * kHomeSlots + slot] =
                        IsPlayingSquare(square) ? SquareName(square) : std::string();
                }
                const std::string& text = rules->directions[side];
                const size_t blank = text.find(' ');
                directionFields_[side] = text.substr(0, blank);
                directionFields_[side + 2] =
                    blank == std::string::npos ? "" : text.substr(blank + 1);
                ParseDirections(text, side, game_.directions);
            }
            directions_ = game_.directions;
        }
    }
    ShowRules();
    loading_ = false;
}

void VariantDialogLogic::ShowRules() {
    for (int b = 0; b < kVariantBoxCount; ++b) {
        const uint8_t value = game_.active.flags[kBoxFlags[b].flag] != 0;
        SetBox(static_cast<VariantBox>(b), kBoxFlags[b].inverted ? value == 0 : value != 0);
    }
    RunInterlock(VariantBox::JumpsMandatory);
    RunInterlock(VariantBox::MostJumps);
    if (!Checked(VariantBox::MultipleSquares)) Enable(VariantBox::StopOnFirstSquare, false);
    inverted_ = -1;
}

void VariantDialogLogic::SetBox(VariantBox b, bool checked) {
    Set(b, checked);
    RunInterlock(b);
}

void VariantDialogLogic::RunInterlock(VariantBox b) {
    switch (b) {
        case VariantBox::MultipleSquares:
            Enable(VariantBox::StopOnFirstSquare, Checked(b));
            break;
        case VariantBox::JumpsMandatory:
            Enable(VariantBox::MostJumps, !Checked(b));
            Enable(VariantBox::MultipleJumps, !Checked(b));
            break;
        case VariantBox::MostJumps:
            if (Checked(b)) {
                SetBox(VariantBox::MultipleJumps, true);  // which greys Jumps mandatory
                Enable(VariantBox::MultipleJumps, false);
            } else {
                Enable(VariantBox::MultipleJumps, true);
                if (!Checked(VariantBox::MultipleJumps)) Enable(VariantBox::JumpsMandatory, true);
            }
            break;
        case VariantBox::MultipleJumps:
            if (Checked(b))
                Enable(VariantBox::JumpsMandatory, false);
            else if (!Checked(VariantBox::MostJumps))
                Enable(VariantBox::JumpsMandatory, true);
            break;
        default:
            break;
    }
}

void VariantDialogLogic::SetHomeField(int field, const std::string& text) {
    if (field < 0 || field >= kHomeFieldCount) return;
    homeFields_[field] = text;
    if (inverted_ == field) inverted_ = -1;
}

void VariantDialogLogic::SetDirectionField(int field, const std::string& text) {
    if (field < 0 || field >= kDirectionFieldCount) return;
    directionFields_[field] = text;
    if (inverted_ == kFirstDirectionField + field) inverted_ = -1;
}

void VariantDialogLogic::Random() {
    constexpr std::array<RuleFlag, kRuleFlagCount> kDrawOrder = {
        MaxCapMove, MulJumps,  BlackStarts, CapRequired, HomeLess,
        FullHome,   OutofHome, ManContJump, LongKings,   KingFirst};
    for (RuleFlag flag : kDrawOrder) {
        const int value = static_cast<int>(2.0 * random_.Uniform());
        game_.active.flags[flag] = value >= 1 ? 1 : 0;
    }
    for (RuleFlag flag : kDrawOrder) {
        const VariantBox b = BoxOf(flag);
        const bool value = game_.active.flags[flag] != 0;
        SetBox(b, kBoxFlags[static_cast<int>(b)].inverted ? !value : value);
    }
}

bool VariantDialogLogic::Apply() {
    settings_.Variant = static_cast<uint8_t>(std::clamp(selected_ + 1, 1, 255));
    for (int b = 0; b < kVariantBoxCount; ++b) {
        const bool checked = boxes_[b].checked;
        game_.active.flags[kBoxFlags[b].flag] = (kBoxFlags[b].inverted ? !checked : checked);
    }
    for (int field = 0; field < kHomeFieldCount; ++field) {
        int square = kEmptySlot;
        if (!homeFields_[field].empty()) {
            square = SquareNumber(Upper(homeFields_[field]));
            if (square < 21 || square > 98) {
                inverted_ = field;
                ui_.Message(ui_.Translate("Game", "Illegal entry!"), ui_.Translate("Game", "Error"),
                            Icon::Exclamation);
                return false;
            }
        }
        game_.active.home[field / kHomeSlots][field % kHomeSlots] = square;
    }
    for (int side = 0; side < 2; ++side) {
        for (int list = 0; list < 2; ++list) {
            const int field = side + 2 * list;
            if (!DirectionFieldValid(directionFields_[field])) {
                inverted_ = kFirstDirectionField + field;
                ui_.Message(ui_.Translate("Game", "Illegal entry!"), ui_.Translate("Game", "Error"),
                            Icon::Exclamation);
                return false;
            }
        }
        const std::string text =
            Upper(directionFields_[side]) + " " + Upper(directionFields_[side + 2]);
        game_.active.directions[side] = text;
        ParseDirections(text, side, directions_);
        game_.directions = directions_;
    }
    return true;
}

}  // namespace zelkor
