// The console tool's folder scan over the same walk as the window's find pane.
#include "app/cli/ScanCommand.h"

#include "app/driver/CommandLineArgs.h"
#include "platform/AsciiText.h"
#include "platform/Files.h"
#include "scan/FolderScan.h"
#include "scan/PathJoin.h"

#include <algorithm>
#include <charconv>
#include <ostream>

namespace glyphora {

namespace {

constexpr std::string_view kScanSwitch = "-scan=";
constexpr std::string_view kMinCountSwitch = "-mincount=";
constexpr std::string_view kRecurseSwitch = "-recurse";

// The switch name in lower case with "-" in front, up to and including its "="; the value
// keeps its case. Empty for an argument that is not one of the scan switches.
std::string ScanSwitchName(const std::string& argument)
{
    if (argument.size() < 2 || (argument[0] != '-' && argument[0] != '/')) return {};
    const auto eq = argument.find('=');
    std::string name = AsciiLower(argument.substr(0, eq == std::string::npos ? eq : eq + 1));
    name[0] = '-';
    if (name == kScanSwitch || name == kMinCountSwitch || name == kRecurseSwitch) return name;
    return {};
}

} // namespace

std::optional<ScanCommand> ParseScanCommand(const std::vector<std::string>& arguments)
{
    ScanCommand command;
    bool scan = false;
    const std::size_t count = std::min<std::size_t>(arguments.size(), kMaxArguments);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& argument = arguments[i];
        const std::string name = ScanSwitchName(argument);
        if (name.empty()) continue;
        const std::string value = argument.substr(std::min(argument.size(), name.size()));
        if (name == kScanSwitch) {
            scan = true;
            if (command.folder.empty()) command.folder = value;
        } else if (name == kMinCountSwitch) {
            if (command.minCountText.empty()) command.minCountText = value;
        } else {
            command.recurse = true;
        }
    }
    if (!scan) return std::nullopt;
    return command;
}

int RunScanCommand(const ScanCommand& command, std::ostream& out, std::ostream& err)
{
    int minCount = 1;
    if (!command.minCountText.empty()) {
        const std::string& text = command.minCountText;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), minCount);
        if (ec != std::errc{} || end != text.data() + text.size() || minCount < 0) {
            err << "glyphora-cli: -mincount needs a whole number of at least 0, not \"" << text << "\"\n";
            return 1;
        }
    }
    const std::filesystem::path folder = PathFromText(command.folder);
    if (command.folder.empty() || !DirectoryExists(folder)) {
        err << "glyphora-cli: cannot scan \"" << command.folder << "\": no such folder\n";
        return 1;
    }

    std::vector<std::string> entries;
    ScanForIconFiles(folder, folder, kIconFileMasks, minCount, command.recurse, entries);
    SortLikeFileList(entries);
    for (const std::string& entry : entries)
        out << PathText(JoinPath(folder, PathFromText(entry))) << '\n';
    return 0;
}

} // namespace glyphora
