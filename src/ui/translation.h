// The program's texts in the user's language: the catalogue of the locale's language
// (built into the program from translations/), English when there is none.
#pragma once

#include <QLocale>

#include "rules/user_interface.h"

class QCoreApplication;

namespace zelkor::ui {

// The texts of the Qt-free layers through the installed catalogues.
class QtTranslator : public Translator {
  public:
    std::string Translate(const char* context, const char* text) const override;
};

// Installs the catalogues for `locale` (QLocale::system() in the program) into `app`: the
// program's own and Qt's (the buttons of its message boxes and file dialogs). Returns
// false when the program has no catalogue for the language, so English stays.
bool InstallTranslations(QCoreApplication& app, const QLocale& locale);

}  // namespace zelkor::ui
