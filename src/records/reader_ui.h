// What the readers of the program's files ask of the user: to be told what is wrong with a
// file (in the user's language), to see the opening the book names and to choose among the
// book games' moves. The game's UserInterface is one; the readers know no more of it.
#pragma once

#include <string>
#include <vector>

#include "rules/translator.h"

namespace zelkor {

enum class Icon { None, Exclamation, Question, Information };
enum class Buttons { Ok, YesNo };
enum class Answer { Ok, Yes, No };

class ReaderUi : public Translator {
  public:
    // A modal message box; the answer is Yes or No for Buttons::YesNo, else Ok.
    virtual Answer Message(const std::string& text, const std::string& title, Icon icon,
                           Buttons buttons = Buttons::Ok) = 0;

    // The opening's name in the status line's third panel.
    virtual void ShowOpeningName(const std::string& name) = 0;

    // The "Book moves" dialog: returns the selected line, empty when none is selected.
    virtual std::string ChooseBookMove(const std::vector<std::string>& lines,
                                       const std::string& gamesLabel,
                                       const std::string& movesLabel) = 0;
};

}  // namespace zelkor
