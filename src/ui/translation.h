// The program's texts in the user's language: the catalogue of the locale's language
// (built into the program from translations/), English when there is none.
#pragma once

#include <QLocale>
#include <QString>
#include <filesystem>

#include "game/user_interface.h"

class QCoreApplication;

namespace zelkor::ui {

// The texts of the Qt-free layers through the installed catalogues.
class QtTranslator : public Translator {
  public:
    std::string Translate(const char* context, const char* text) const override;
};

// Installs the catalogues for `locale` (QLocale::system() in the program) into `app`: the
// program's own and Qt's (the buttons of its message boxes and file dialogs). Returns the
// language installed ("de"), or nothing when the program has none for `locale`: English.
QString InstallTranslations(QCoreApplication& app, const QLocale& locale);

// The manual in `language` when it ships beside the English one (manual_de.md beside
// manual.md), else the English manual.
std::filesystem::path ManualIn(const std::filesystem::path& manual, const QString& language);

}  // namespace zelkor::ui
