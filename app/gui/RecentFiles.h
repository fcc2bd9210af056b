// The recent-files list of the open button's drop-down: at most 12 file entries, newest
// first; only the entry opened last in this run carries the check mark. Paths that differ
// only in letter case are the same entry.
#pragma once

#include <string>
#include <vector>

namespace glyphora {

struct RecentEntry {
    std::string path; // the full path (the entry's hint); its caption is the file name
    bool checked = false;
};

class RecentFiles {
public:
    static constexpr std::size_t kMaxEntries = 12;

    // A file was opened: every mark goes, an entry of the same path (ignoring case) is
    // removed, the path comes first with the mark, and the oldest entry past 12 is dropped.
    void Add(const std::string& path);
    // Entries read from the settings (unchecked), newest first.
    void Assign(const std::vector<std::string>& paths);

    const std::vector<RecentEntry>& Entries() const { return entries_; }
    bool Empty() const { return entries_.empty(); }

private:
    std::vector<RecentEntry> entries_;
};

// The caption of an entry: the file name without its folder.
std::string RecentCaption(const std::string& path);

} // namespace glyphora
