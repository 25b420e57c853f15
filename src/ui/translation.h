// The program's texts in the user's language: the catalogue of the locale's language
// (built into the program from translations/), English when there is none.
#pragma once

#include <QLocale>

class QCoreApplication;

namespace zelkor::ui {

// Installs the catalogues for `locale` (QLocale::system() in the program) into `app`: the
// program's own and Qt's (the buttons of its message boxes and file dialogs). Returns
// false when the program has no catalogue for the language, so English stays.
bool InstallTranslations(QCoreApplication& app, const QLocale& locale);

}  // namespace zelkor::ui
