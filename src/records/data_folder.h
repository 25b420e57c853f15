// Where the program keeps its files. Both executables ask ResolveDataFolder once at
// start-up and pass the answer on:
//  - --data-dir DIR wins;
//  - otherwise the executable's folder, when it holds the shipped data and can be written
//    (a build folder, an unpacked archive);
//  - otherwise, for an installed program (data in <prefix>/share/zelkor beside
//    <prefix>/bin), the per-user folder $XDG_DATA_HOME/zelkor (~/.local/share/zelkor when
//    XDG_DATA_HOME is unset or not absolute), created on first start and filled with
//    copies of the shipped variants, book and book games. Pieces are read from the
//    shipped folder.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "rules/translator.h"

namespace zelkor {

// The file whose presence tells that the rules have been shown once.
inline constexpr const char* kFirstStartMarker = "zelkor.first";

struct DataFolderInputs {
    std::optional<std::filesystem::path> dataDirOption;  // --data-dir
    std::filesystem::path executableFolder;
    std::string xdgDataHome;  // the environment's values, "" when unset
    std::string home;
    // Whether a folder accepts new files; the default tries to create one.
    std::function<bool(const std::filesystem::path&)> isWritable;
};

struct DataFolder {
    std::filesystem::path folder{};   // settings, rating, log, variants, book, book games
    std::filesystem::path shipped{};  // the shipped data (pieces); equal to folder unless per-user
    bool perUser = false;
    bool created = false;   // the per-user folder was made by this start
    std::string warning{};  // a problem worth telling the user; "" when none
    std::string error{};    // a problem the program cannot start with (a --data-dir that is
                            // no folder); "" when none
};

// True when `folder` holds the shipped variant file.
bool HoldsShippedData(const std::filesystem::path& folder);
// Tries to create and remove a file in `folder`.
bool FolderIsWritable(const std::filesystem::path& folder);

// Chooses the data folder and, for the per-user folder, creates it and copies what is
// missing from the shipped data (never overwriting a file the user already has).
DataFolder ResolveDataFolder(const DataFolderInputs& inputs, const Translator& texts = English());

// The inputs of this process: its own folder and the environment.
DataFolderInputs ProcessDataFolderInputs(std::optional<std::filesystem::path> dataDirOption,
                                         const std::filesystem::path& executableFolder);

// The window program's command line (the arguments after the program's name): whether it
// asks only for the usage or the version, which need no window and no display, and the
// folder --data-dir DIR or --data-dir=DIR names, kept as the bytes given. Nothing after
// "--" is an option.
struct ProgramArguments {
    bool textOnly = false;
    std::optional<std::filesystem::path> dataDir;
};
ProgramArguments ReadProgramArguments(const std::vector<std::string>& arguments);

// A file that ships with the data (the manual): in the shipped folder, else beside the
// executable, else in the installed <prefix>/share/zelkor; the shipped folder's name when
// none holds it.
std::filesystem::path ShippedFile(const DataFolder& data,
                                  const std::filesystem::path& executableFolder,
                                  const std::string& name);

// First start: true until MarkFirstStartDone wrote the marker into `folder`.
bool IsFirstStart(const std::filesystem::path& folder);
bool MarkFirstStartDone(const std::filesystem::path& folder);

}  // namespace zelkor
