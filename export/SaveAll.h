// The one engine behind every multi-icon output: every icon of a file into a folder as icon
// files or pictures, and the frame of the HTML, dBase and PDF documents.
#pragma once

#include "export/CurrentIcons.h"
#include "export/SaveAllRequest.h"

#include <cstdint>
#include <functional>
#include <string>

namespace glyphora {

// Called after each icon with (icons done, icons in all).
using SaveAllProgress = std::function<void(int, int)>;

// Writes the icons of request.srcFileName (empty: the current file, icons as the grid holds
// them) as the request says. saveCount grows by one for each icon saved; confirmResult keeps
// a "yes to all" / "no to all" answer across calls. The overwrite question goes to
// request.questions and is never asked under OverwritePolicy::Replace. Every file is written
// through AtomicFile and the per-icon folder is created only when the first file goes into
// it. Write failures are raised as OutputError at once, after everything taken is released
// (an existing file stays as it was, a folder created by the run and still empty is
// removed); icons whose group could not be read are skipped, and once the run is over a
// GlyphoraError names them. A source that changed while its icons were read is refused.
// What a run found: the icons of the source it went through, and how many of them it left
// because the overwrite question was answered no.
struct SaveAllSummary {
    int icons = 0;
    int declined = 0;
};
SaveAllSummary SaveAll(const CurrentIcons& current, const SaveAllRequest& request, int& saveCount,
                       DialogAnswer& confirmResult, const SaveAllProgress& progress = {});

// "ico_" + stem + the 1-based number with at least four digits + extension, where the stem is
// the lower-cased file name without extension, "_" and the lower-cased extension.
std::string SaveAllFileName(const std::filesystem::path& source, int iconNumber, const std::string& extension);

} // namespace glyphora
