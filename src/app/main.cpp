// The program: one window over the game controller. The data folder (variants, book,
// settings, log, pieces) defaults to the executable's folder; --data-dir DIR chooses
// another one.
#include <QApplication>
#include <QCommandLineParser>
#include <filesystem>

#include "rules/system_services.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Zelkor");
    QApplication::setApplicationVersion(zelkor::kProgramVersion);

    QCommandLineParser parser;
    parser.setApplicationDescription("Halma and its variants on an 8x8 board");
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption dataDir("data-dir", "Folder of the program's data files.", "DIR",
                               QCoreApplication::applicationDirPath());
    parser.addOption(dataDir);
    parser.process(app);

    zelkor::SystemClock clock;
    zelkor::SystemRandom random;
    zelkor::ui::frmMain window(clock, random,
                               std::filesystem::path(parser.value(dataDir).toStdString()));
    window.show();
    window.StartUp();
    return app.exec();
}
