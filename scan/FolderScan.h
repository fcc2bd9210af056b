// The folder scan behind the find pane and `glyphora-cli -scan`: the files of a folder (and,
// when asked, of its subfolders) that match the masks and hold at least a minimum number of
// icons. Icons are counted without decoding any image. Each folder's own files come before
// its subfolders, which are walked depth first; hidden files are listed, hidden subfolders
// are entered only when the options say so. Pseudo file systems (proc, sysfs, devtmpfs and the like, told by their
// type) are never entered, so their links back into the real folders list nothing twice. A
// folder reached twice (through a link or a bind mount) is walked once, so links that loop
// end the walk instead of trapping it. Folders that cannot be read and files that vanish or
// cannot be opened contribute nothing.
#pragma once

#include "platform/FileSystemKind.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace glyphora {

// The masks the find pane scans with.
inline constexpr std::string_view kIconFileMasks = "*.dll;*.exe;*.ocx;*.icl";

enum class ScanOutcome : std::uint8_t {
    Finished = 0, // the walk ended
    Stopped = 2,  // the progress hook (or a cancel request) stopped it
};

// Called after each listed file with the list's entry count and the entry just added;
// returns true to stop the scan. It runs on the scanning thread.
using ScanProgress = std::function<bool(int count, const std::string& entry)>;

struct ScanControl {
    ScanProgress progress;                     // none: nothing reported, no stop by the hook
    const std::atomic<bool>* cancel = nullptr; // looked at before every entry: ends the walk at once
};

// Which folders the walk enters.
struct ScanOptions {
    // Hidden subfolders (on Windows also system ones) are entered too: the find pane asks for
    // it while its folder tree lists them. The console scan leaves them alone.
    bool enterHiddenFolders = false;
    // Tells the pseudo file systems from the others; empty: the platform's FileSystemKindOf.
    FileSystemKindLookup fileSystemKind;
};

// Scans dir (root at the top call) and adds to list, in walk order, the text of each file
// whose icon count is at least minCount: its name when dir is root, else its folder relative
// to root, a separator and its name. The list is cleared first when dir is root. masks are
// patterns separated by ";" ("*" any run, "?" one character, letter case ignored), each
// matched against the folder's entries in turn, so a file matching two patterns is listed
// twice.
ScanOutcome ScanForIconFiles(const std::filesystem::path& root, const std::filesystem::path& dir,
                             std::string_view masks, int minCount, bool recurse, std::vector<std::string>& list,
                             const ScanControl& control = {}, const ScanOptions& options = {});

// The patterns of a mask list in order: the text before the first ";", then the rest, trimmed
// of blanks, taken the same way.
std::vector<std::string> SplitMasks(std::string_view masks);

// Whether a file name matches one pattern ("*", "?", ASCII letters compared without case).
bool MatchesMask(std::string_view name, std::string_view pattern);

// The order of the find pane's sorted list: by text, ignoring letter case, entries that
// compare equal keeping their walk order.
void SortLikeFileList(std::vector<std::string>& entries);

} // namespace glyphora
