#include "ui/translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace zelkor::ui {

std::string QtTranslator::Translate(const char* context, const char* text) const {
    return QCoreApplication::translate(context, text).toStdString();
}

QString InstallTranslations(QCoreApplication& app, const QLocale& locale) {
    auto* own = new QTranslator(&app);
    if (!own->load(locale, "zelkor", "_", ":/i18n")) {
        delete own;
        return {};
    }
    QCoreApplication::installTranslator(own);
    auto* qt = new QTranslator(&app);
    if (qt->load(locale, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return own->language().section('_', 0, 0);
}

std::filesystem::path ManualIn(const std::filesystem::path& manual, const QString& language) {
    if (language.isEmpty()) return manual;
    std::filesystem::path translated = manual;
    translated.replace_filename(manual.stem().string() + "_" + language.toStdString() +
                                manual.extension().string());
    std::error_code error;
    return std::filesystem::is_regular_file(translated, error) ? translated : manual;
}

}  // namespace zelkor::ui
