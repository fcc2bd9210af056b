// Data-file lookup of the program: the executable's folder first, then the installed data folder.
#include "platform/ProgramPaths.h"

#include "platform/Files.h"

namespace glyphora {

std::vector<std::filesystem::path> DataFolders(const std::filesystem::path& programFile)
{
    const std::filesystem::path executableFolder = programFile.parent_path();
    // lexically_normal keeps "bin/../share" out of paths shown to the user.
    return {executableFolder, (executableFolder / kInstalledDataFolder).lexically_normal()};
}

std::filesystem::path DataFolderHolding(std::string_view fileName, const std::filesystem::path& programFile)
{
    const std::vector<std::filesystem::path> folders = DataFolders(programFile);
    if (!fileName.empty()) {
        for (const auto& folder : folders)
            if (FileExists(folder / fileName)) return folder;
    }
    return folders.front();
}

std::filesystem::path DataFolderHolding(std::string_view fileName)
{
    return DataFolderHolding(fileName, ProgramFilePath());
}

std::filesystem::path DataFilePath(std::string_view fileName)
{
    return DataFolderHolding(fileName) / fileName;
}

} // namespace glyphora
