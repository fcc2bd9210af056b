// The console tool's folder scan: `glyphora-cli -scan=FOLDER [-mincount=N] [-recurse]`
// prints the files of FOLDER (and its subfolders with -recurse) that hold at least N icons
// (default 1), one path a line, in the order of the window's file list. The switches follow
// the command line's grammar: "-" or "/" in front, letter case ignored, the first non-empty
// value wins, only the first 24 arguments are read.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace glyphora {

struct ScanCommand {
    std::string folder;
    std::string minCountText; // as given; empty for the default
    bool recurse = false;
};

// The scan request when the arguments hold a -scan switch, else nothing (the arguments are
// then for the command-line driver).
std::optional<ScanCommand> ParseScanCommand(const std::vector<std::string>& arguments);

// Runs the scan: 0 when it ran, 1 (with one line on err) when the folder cannot be scanned
// or the minimum is not a whole number of at least 0.
int RunScanCommand(const ScanCommand& command, std::ostream& out, std::ostream& err);

} // namespace glyphora
