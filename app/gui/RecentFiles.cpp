// The recent-files list.
#include "app/gui/RecentFiles.h"

#include <QString>

#include <algorithm>
#include <filesystem>

namespace glyphora {

namespace {

bool SamePathIgnoringCase(const std::string& a, const std::string& b)
{
    return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) == 0;
}

} // namespace

void RecentFiles::Add(const std::string& path)
{
    for (RecentEntry& entry : entries_)
        entry.checked = false;
    std::erase_if(entries_, [&](const RecentEntry& entry) { return SamePathIgnoringCase(entry.path, path); });
    entries_.insert(entries_.begin(), RecentEntry{path, true});
    if (entries_.size() > kMaxEntries) entries_.resize(kMaxEntries);
}

void RecentFiles::Assign(const std::vector<std::string>& paths)
{
    entries_.clear();
    for (const std::string& path : paths) {
        if (entries_.size() == kMaxEntries) break;
        entries_.push_back(RecentEntry{path, false});
    }
}

std::string RecentCaption(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

} // namespace glyphora
