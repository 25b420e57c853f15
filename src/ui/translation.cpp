#include "ui/translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace zelkor::ui {

std::string QtTranslator::Translate(const char* context, const char* text) const {
    return QCoreApplication::translate(context, text).toStdString();
}

bool InstallTranslations(QCoreApplication& app, const QLocale& locale) {
    auto* own = new QTranslator(&app);
    if (!own->load(locale, "zelkor", "_", ":/i18n")) {
        delete own;
        return false;
    }
    QCoreApplication::installTranslator(own);
    auto* qt = new QTranslator(&app);
    if (qt->load(locale, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return true;
}

}  // namespace zelkor::ui
