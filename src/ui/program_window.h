// The program's window as it opens at start-up, apart from the executable's main() so that
// tests can open it the same way.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>

#include "records/data_folder.h"
#include "ui/main_window.h"

namespace zelkor::ui {

// The window over `data`, with the shipped pieces and the manual in `language` (the one
// InstallTranslations installed; empty for English), no larger than its screen,
// shown and started; the data folder's warning is told in it, and on the first start in the
// folder the rules of the variant follow once the events run. `prepare` runs on the window
// before it is shown (tests set its hooks there).
std::unique_ptr<frmMain> OpenProgramWindow(Clock& clock, Random& random, const DataFolder& data,
                                           const std::filesystem::path& executableFolder,
                                           const QString& language,
                                           const std::function<void(frmMain&)>& prepare = {});

}  // namespace zelkor::ui
