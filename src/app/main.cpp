// The program: one window over the game controller. The data folder (variants, book,
// settings, log) is the executable's folder for a build or an unpacked archive, the
// per-user folder for an installed program, or the folder --data-dir DIR names.
#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QMessageBox>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/system_services.h"
#include "records/data_folder.h"
#include "ui/program_window.h"
#include "ui/translation.h"

namespace {

std::filesystem::path ExecutableFolder() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) return self.parent_path();
    return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
}

}  // namespace

int main(int argc, char** argv) {
    QCommandLineParser parser;
    parser.setApplicationDescription("Halma and its variants on an 8x8 board");
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption dataDirOption("data-dir", "Folder of the program's data files.", "DIR");
    parser.addOption(dataDirOption);
    const zelkor::ProgramArguments arguments =
        zelkor::ReadProgramArguments(std::vector<std::string>(argv + 1, argv + argc));
    QCoreApplication::setApplicationName("Zelkor");
    QCoreApplication::setApplicationVersion(zelkor::kProgramVersion);
    // The usage and the version need no window: they are answered before the application
    // connects to a display, so that they work on a terminal without one.
    if (arguments.textOnly) {
        QCoreApplication text(argc, argv);
        parser.process(text);  // prints and exits
        return 0;
    }

    QApplication app(argc, argv);
    parser.process(app);  // refuses what it does not know
    // The window speaks the system's language when there is a catalogue for it.
    const QString language = zelkor::ui::InstallTranslations(app, QLocale::system());
    // The folder names go to the core as the bytes they are (a name that is not UTF-8 would
    // not survive a round trip through a QString), and no --data-dir is no folder chosen.

    const std::filesystem::path executableFolder = ExecutableFolder();
    const zelkor::DataFolder data = zelkor::ResolveDataFolder(
        zelkor::ProcessDataFolderInputs(arguments.dataDir, executableFolder),
        zelkor::ui::QtTranslator());
    if (!data.error.empty()) {
        // Started from a terminal or a script, the reason shows there too; where no screen
        // shows a window (the offscreen platform) a message box would wait for ever.
        std::fprintf(stderr, "zelkor: %s\n", data.error.c_str());
        if (QGuiApplication::platformName() != "offscreen")
            QMessageBox::critical(nullptr, "Zelkor", QFile::decodeName(data.error.c_str()));
        return 1;
    }
    zelkor::SystemClock clock;
    zelkor::SystemRandom random;
    const auto window =
        zelkor::ui::OpenProgramWindow(clock, random, data, executableFolder, language);
    return app.exec();
}
