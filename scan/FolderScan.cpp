// The folder scan: a depth-first walk kept on an explicit stack (deep trees cannot exhaust
// the thread's stack), with a set of the folders entered so far against links that loop, and
// a look at each folder's file system before it is entered.
#include "scan/FolderScan.h"

#include "iconengine/IconExtraction.h"
#include "platform/AsciiText.h"
#include "platform/FolderEntries.h"
#include "platform/Files.h"
#include "scan/PathJoin.h"

#include <algorithm>
#include <optional>
#include <set>

namespace glyphora {

namespace fs = std::filesystem;

namespace {

const std::string kSeparator(1, static_cast<char>(fs::path::preferred_separator));

// The icon count of a listed entry. The kind is looked at again right before the file is
// opened: between the listing and this moment the file may have been replaced by a pipe or a
// device, which must never be opened (opening a pipe waits for a writer).
int CountIcons(const fs::path& path, EntryKind listedKind)
{
    if (listedKind != EntryKind::File || !FileExists(path)) return 0;
    return CountFileIcons(path);
}

// One folder on the walk's stack: its entries and how far its subfolders have been walked.
struct PendingFolder {
    fs::path dir;
    std::string prefix; // the folder's text relative to the root plus a separator; empty at the root
    std::vector<FolderEntry> entries;
    std::size_t nextSubfolder = 0;
};

class Walk {
public:
    Walk(std::string_view masks, int minCount, std::vector<std::string>& list, const ScanControl& control,
         const ScanOptions& options)
        : patterns_(SplitMasks(masks)),
          minCount_(minCount),
          list_(list),
          control_(control),
          fileSystemKind_(options.fileSystemKind ? options.fileSystemKind : FileSystemKindLookup(FileSystemKindOf))
    {}

    bool cancelled() const { return control_.cancel != nullptr && control_.cancel->load(std::memory_order_relaxed); }

    // Marks a folder as entered; false when it was entered before, cannot be identified or
    // lies on a pseudo file system.
    bool enter(const fs::path& dir)
    {
        if (fileSystemKind_(dir) == FileSystemKind::Pseudo) return false;
        const auto identity = IdentifyFolder(dir);
        return identity && entered_.insert(*identity).second;
    }

    // Lists the matching files of one folder, pattern after pattern.
    ScanOutcome listFiles(const PendingFolder& folder)
    {
        std::vector<std::optional<int>> counts(folder.entries.size()); // a file matching two patterns is counted once
        std::vector<std::string> names;
        names.reserve(folder.entries.size());
        for (const FolderEntry& entry : folder.entries)
            names.push_back(PathText(entry.name));

        for (const std::string& pattern : patterns_) {
            for (std::size_t i = 0; i < folder.entries.size(); ++i) {
                if (cancelled()) return ScanOutcome::Stopped;
                if (!MatchesMask(names[i], pattern)) continue;
                if (!counts[i]) counts[i] = CountIcons(folder.dir / folder.entries[i].name, folder.entries[i].kind);
                if (static_cast<long long>(*counts[i]) < static_cast<long long>(minCount_)) continue;
                list_.push_back(folder.prefix + names[i]);
                if (control_.progress && control_.progress(static_cast<int>(list_.size()), list_.back()))
                    return ScanOutcome::Stopped;
            }
        }
        return ScanOutcome::Finished;
    }

private:
    std::vector<std::string> patterns_;
    int minCount_;
    std::vector<std::string>& list_;
    const ScanControl& control_;
    FileSystemKindLookup fileSystemKind_;
    std::set<FolderIdentity> entered_;
};

std::optional<PendingFolder> OpenFolder(const fs::path& dir, std::string prefix)
{
    auto entries = ListFolder(dir);
    if (!entries) return std::nullopt;
    return PendingFolder{dir, std::move(prefix), std::move(*entries), 0};
}

// The text of dir relative to root followed by a separator, or empty when dir is root.
std::string RelativePrefix(const fs::path& root, const fs::path& dir)
{
    const fs::path rootText = AddTrailingBackslash(root);
    const fs::path dirText = AddTrailingBackslash(dir);
    if (dirText == rootText) return {};
    const auto& r = rootText.native();
    const auto& d = dirText.native();
    if (d.size() > r.size() && d.compare(0, r.size(), r) == 0) return PathText(fs::path(d.substr(r.size())));
    return PathText(dirText);
}

} // namespace

std::vector<std::string> SplitMasks(std::string_view masks)
{
    std::vector<std::string> patterns;
    while (!masks.empty()) {
        const auto semicolon = masks.find(';');
        patterns.emplace_back(masks.substr(0, semicolon));
        if (semicolon == std::string_view::npos) break;
        masks = Trim(masks.substr(semicolon + 1));
    }
    return patterns;
}

bool MatchesMask(std::string_view name, std::string_view pattern)
{
    // Greedy matching with one back-up point: the last "*" seen and where it started to match.
    std::size_t n = 0, p = 0;
    std::size_t starPattern = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || AsciiLower(pattern[p]) == AsciiLower(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starPattern = p++;
            starName = n;
        } else if (starPattern != std::string_view::npos) {
            p = starPattern + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

void SortLikeFileList(std::vector<std::string>& entries)
{
    std::stable_sort(entries.begin(), entries.end(), [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return static_cast<unsigned char>(AsciiLower(x)) < static_cast<unsigned char>(AsciiLower(y));
        });
    });
}

ScanOutcome ScanForIconFiles(const fs::path& root, const fs::path& dir, std::string_view masks, int minCount,
                             bool recurse, std::vector<std::string>& list, const ScanControl& control,
                             const ScanOptions& options)
{
    const std::string prefix = RelativePrefix(root, dir);
    if (prefix.empty()) list.clear();

    Walk walk(masks, minCount, list, control, options);
    if (!walk.enter(dir)) return ScanOutcome::Finished;
    auto top = OpenFolder(dir, prefix);
    if (!top) return ScanOutcome::Finished;

    std::vector<PendingFolder> stack;
    stack.push_back(std::move(*top));
    if (walk.listFiles(stack.back()) == ScanOutcome::Stopped) return ScanOutcome::Stopped;
    if (!recurse) return ScanOutcome::Finished;

    while (!stack.empty()) {
        PendingFolder& folder = stack.back();
        if (folder.nextSubfolder == folder.entries.size()) {
            stack.pop_back();
            continue;
        }
        if (walk.cancelled()) return ScanOutcome::Stopped;
        const FolderEntry& entry = folder.entries[folder.nextSubfolder++];
        if (entry.kind != EntryKind::Folder || (entry.hidden && !options.enterHiddenFolders)) continue;
        const fs::path sub = folder.dir / entry.name;
        if (!walk.enter(sub)) continue;
        auto opened = OpenFolder(sub, folder.prefix + PathText(entry.name) + kSeparator);
        if (!opened) continue;
        stack.push_back(std::move(*opened)); // folder is not used past this point: the push may move it
        if (walk.listFiles(stack.back()) == ScanOutcome::Stopped) return ScanOutcome::Stopped;
    }
    return ScanOutcome::Finished;
}

} // namespace glyphora
