#include "ui/program_window.h"

#include <QApplication>
#include <QIcon>
#include <QScreen>
#include <QTimer>

#include "ui/app_icon.h"
#include "ui/manual_window.h"
#include "ui/translation.h"

namespace zelkor::ui {

std::unique_ptr<frmMain> OpenProgramWindow(Clock& clock, Random& random, const DataFolder& data,
                                           const std::filesystem::path& executableFolder,
                                           const QString& language,
                                           const std::function<void(frmMain&)>& prepare) {
    // The desktop's name for the program: its menu entry and its icon, the theme's if any.
    QGuiApplication::setDesktopFileName(ZELKOR_APP_ID);
    QApplication::setWindowIcon(QIcon::fromTheme(ZELKOR_APP_ID, AppIcon()));
    auto window = std::make_unique<frmMain>(clock, random, data.folder);
    window->SetPiecesFolder(data.shipped / "pieces");
    window->SetManualFile(ManualIn(ShippedFile(data, executableFolder, kManualFileName), language));
    if (prepare) prepare(*window);
    // On a screen smaller than the window, the window shrinks to it (room for the title).
    if (const QScreen* screen = window->screen())
        window->resize(window->size().boundedTo(screen->availableGeometry().size() - QSize(0, 32)));
    window->show();
    if (!data.warning.empty()) window->Message(data.warning, "Zelkor", Icon::Exclamation);
    window->StartUp();
    // A newcomer first sees the rules of the variant, once.
    frmMain* opened = window.get();
    QTimer::singleShot(0, opened, [opened] { opened->ShowRulesOnFirstStart(); });
    return window;
}

}  // namespace zelkor::ui
