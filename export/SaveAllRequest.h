// The arguments of one SaveAll call, in the order the save engine takes them. The caller owns
// the running count and the remembered overwrite answer, which several calls may share; the
// request says what happens to a file that is already there and who is asked about it.
#pragma once

#include "export/OutputKind.h"
#include "platform/MessageDialogs.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace glyphora {

class FreeSpaceLimit;

// What a save does with a target file that already exists.
enum class OverwritePolicy {
    Ask,     // asks the request's questions (yes, no, no to all, yes to all) before each one
    Replace, // replaces it without asking, as the command line does
};

struct SaveAllRequest {
    std::filesystem::path srcFileName; // empty: the current file, icons as the grid holds them
    std::filesystem::path destDir;
    std::filesystem::path destFileName; // documents: the chosen file name
    std::string destExt;                // documents: "." + extension, empty for the default
    std::string dbfFieldName;
    OutputKind fileType = OutputKind::Icon;
    OutputKind dbfType = OutputKind::Icon; // dBase: what each memo holds, an icon file or a picture format
    bool includeNumbers = false;
    bool drawBorders = false;
    bool grayScale = false;
    bool small = false;
    HtmlPictureType targetImageType = HtmlPictureType::Png; // HTML: the pictures beside the page
    int columnCount = 1; // HTML: cells per table row (the export settings' ColumnCount)
    OverwritePolicy overwrite = OverwritePolicy::Ask;
    // Where the overwrite question goes; none: the console default (the question on stderr,
    // answered "no", so nothing is replaced unasked).
    MessageDialogs* questions = nullptr;
    // The tests' full disk: every file of the run takes its bytes from it. None: the real disk.
    FreeSpaceLimit* freeSpace = nullptr;
};

} // namespace glyphora
