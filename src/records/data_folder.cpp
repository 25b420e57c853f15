#include "records/data_folder.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <system_error>

#include "records/text_file.h"

namespace zelkor {

namespace fs = std::filesystem;

namespace {

// What a per-user folder receives from the shipped data; the pieces stay where they are.
constexpr const char* kCopiedFiles[] = {"variants.ini", "zelkor.bok", "white bookgames",
                                        "black bookgames"};

// The shipped data of an executable in `folder`: beside it, or in ../share/zelkor.
std::optional<fs::path> FindShippedData(const fs::path& folder) {
    if (HoldsShippedData(folder)) return folder;
    const fs::path installed = (folder.parent_path() / "share" / "zelkor").lexically_normal();
    if (HoldsShippedData(installed)) return installed;
    return std::nullopt;
}

std::optional<fs::path> PerUserBase(const DataFolderInputs& in) {
    // Relative values of XDG_DATA_HOME are invalid and ignored.
    if (!in.xdgDataHome.empty() && fs::path(in.xdgDataHome).is_absolute())
        return fs::path(in.xdgDataHome);
    if (!in.home.empty()) return fs::path(in.home) / ".local" / "share";
    return std::nullopt;
}

// Copies what the user does not have yet; returns "" or the first failure.
std::string CopyMissing(const fs::path& from, const fs::path& to, const Translator& texts) {
    for (const char* name : kCopiedFiles) {
        const fs::path source = from / name;
        std::error_code error;
        if (!fs::exists(source, error)) continue;
        fs::copy(source, to / name, fs::copy_options::recursive | fs::copy_options::skip_existing,
                 error);
        if (error)
            return Fill(texts.Translate("Game", "Could not copy %1: %2"),
                        {source.string(), error.message()});
    }
    return {};
}

}  // namespace

bool HoldsShippedData(const fs::path& folder) {
    std::error_code error;
    return !folder.empty() && fs::is_regular_file(folder / "variants.ini", error);
}

bool FolderIsWritable(const fs::path& folder) {
    std::error_code error;
    if (!fs::is_directory(folder, error)) return false;
    // A temporary file of the program's own kind, made and removed by this call; nothing
    // of that name is ever opened (a pipe left there cannot block the start).
    return WriteProbe(folder);
}

DataFolder ResolveDataFolder(const DataFolderInputs& in, const Translator& texts) {
    const auto writable = in.isWritable ? in.isWritable : FolderIsWritable;
    const std::optional<fs::path> shipped = FindShippedData(in.executableFolder);
    DataFolder result;

    if (in.dataDirOption) {
        result.folder = *in.dataDirOption;
        // A mistyped name would otherwise play the built-in rules and keep nothing.
        std::error_code error;
        if (!fs::is_directory(result.folder, error)) {
            result.error = Fill(fs::exists(result.folder, error)
                                    ? texts.Translate("Game", "The data folder %1 is not a folder")
                                    : texts.Translate("Game", "The data folder %1 does not exist"),
                                {result.folder.string()});
            return result;
        }
        // A chosen folder without pieces still gets the shipped ones.
        const bool hasPieces = fs::is_directory(result.folder / "pieces", error);
        result.shipped = hasPieces || !shipped ? result.folder : *shipped;
        return result;
    }
    if (!shipped || (*shipped == in.executableFolder && writable(in.executableFolder))) {
        // A build folder or an unpacked archive; without any data the program reports the
        // missing variant file from here as before.
        result.folder = in.executableFolder;
        result.shipped = in.executableFolder;
        return result;
    }

    result.shipped = *shipped;
    const std::optional<fs::path> base = PerUserBase(in);
    if (!base) {
        result.folder = *shipped;
        result.warning = texts.Translate(
            "Game", "No home folder is known (HOME is not set): settings cannot be kept.");
        return result;
    }
    result.folder = *base / "zelkor";
    result.perUser = true;
    std::error_code error;
    const bool existed = fs::is_directory(result.folder, error);
    if (!existed) {
        fs::create_directories(result.folder, error);
        if (error || !fs::is_directory(result.folder)) {
            result.warning =
                Fill(texts.Translate("Game", "Could not create %1: %2"),
                     {result.folder.string(),
                      error ? error.message() : texts.Translate("Game", "not a folder")});
            result.folder = *shipped;
            result.perUser = false;
            return result;
        }
        result.created = true;
    }
    result.warning = CopyMissing(*shipped, result.folder, texts);
    return result;
}

DataFolderInputs ProcessDataFolderInputs(std::optional<fs::path> dataDirOption,
                                         const fs::path& executableFolder) {
    DataFolderInputs in;
    in.dataDirOption = std::move(dataDirOption);
    in.executableFolder = executableFolder;
    if (const char* xdg = std::getenv("XDG_DATA_HOME")) in.xdgDataHome = xdg;
    if (const char* home = std::getenv("HOME")) in.home = home;
    return in;
}

ProgramArguments ReadProgramArguments(const std::vector<std::string>& arguments) {
    static const char* const kTextOnly[] = {"--help", "-h", "-?", "--help-all", "--version", "-v"};
    ProgramArguments read;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        if (arg == "--") break;
        if (std::find(std::begin(kTextOnly), std::end(kTextOnly), arg) != std::end(kTextOnly))
            read.textOnly = true;
        else if (arg == "--data-dir" && i + 1 < arguments.size())
            read.dataDir = fs::path(arguments[++i]);
        else if (arg.rfind("--data-dir=", 0) == 0)
            read.dataDir = fs::path(arg.substr(11));
    }
    return read;
}

fs::path ShippedFile(const DataFolder& data, const fs::path& executableFolder,
                     const std::string& name) {
    const fs::path installed = executableFolder.parent_path() / "share" / "zelkor";
    for (const fs::path& folder : {data.shipped, executableFolder, installed}) {
        std::error_code error;
        if (fs::is_regular_file(folder / name, error)) return folder / name;
    }
    return data.shipped / name;
}

bool IsFirstStart(const fs::path& folder) {
    std::error_code error;
    return !fs::exists(folder / kFirstStartMarker, error);
}

bool MarkFirstStartDone(const fs::path& folder) {
    return WriteFileSafely(folder / kFirstStartMarker,
                           "The rules were shown on the first start.\r\n");
}

}  // namespace zelkor
