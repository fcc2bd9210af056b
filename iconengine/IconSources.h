// Where the icons of a file come from: the icon list that the grid shows (the file's own
// icons through the extraction service, or the file-type icon for a file without any), and
// the group-icon resource behind an icon, written as an .ico file or counted. Icon files,
// modules (.exe, .dll, .ocx, and .icl icon libraries) and every other file are told apart by
// their extension; the group of any other file comes from the module its file type's
// DefaultIcon names, or, when no association names one, from the file itself if it is a
// module (PE or NE).
#pragma once

#include "raster/IconHandle.h"
#include "formats/ModuleResources.h"
#include "iconengine/FileTypeIcons.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace glyphora {

class FreeSpaceLimit;

// The size at which the grid holds icons; Both behaves like Large.
enum class IconSizing { Large, Small, Both };

int IconSizeFor(IconSizing sizing);

struct LoadedIcons {
    std::vector<IconHandle> icons; // position i is icon index i of the file
    bool associated = false;       // true when the list holds the file-type icon
    bool sourceChanged = false;    // the file changed while its icons were read
};

// The icons of a file at the sizing's size: its own, or else the one fileTypes gives for it.
LoadedIcons LoadFileIcons(const std::filesystem::path& fileName, IconSizing sizing,
                          const FileTypeIconProvider& fileTypes);

// The group-icon names of a module in enumeration order: a string name less a leading "#",
// a numeric name in decimal.
std::vector<std::string> EnumGroupIconNames(const ModuleResources& module);

// Writes (or, for an icon file, copies) the group of icon Index of fileName as an .ico file
// at destFileName; with an empty destFileName only counts its images. imageCount starts at 0
// and stays 0 when nothing is found. Throws GlyphoraError for an Index past the last group;
// every other failure, writing included, lands in errorText.
void ExtractIconGroup(const std::filesystem::path& fileName, const std::filesystem::path& destFileName, int index,
                      int& imageCount, std::string& errorText);

// The icon groups behind the icons of one file, resolved once: the file itself when it is
// an icon file, else the module that holds its groups (the file, or the module its file
// type's DefaultIcon names), opened and indexed once for any number of saves.
class IconGroupSource {
public:
    explicit IconGroupSource(const std::filesystem::path& fileName);
    ~IconGroupSource();
    IconGroupSource(const IconGroupSource&) = delete;
    IconGroupSource& operator=(const IconGroupSource&) = delete;

    bool IsIconFile() const { return iconFile_; }
    // True once a read of the module failed because another program changed the file.
    bool SourceChanged() const { return module_ && module_->ReadFailed(); }

    struct Saved {
        int imageCount = 0;  // the group's image count; 0 when no group was found
        std::string problem; // why a group that exists could not be read; nothing was written then
    };
    // Writes the group of icon index as an .ico file at dest (an icon file is copied; a
    // DefaultIcon association supplies its own index); with an empty dest only the group's
    // image count is read. Throws GlyphoraError for an index past the last group and
    // OutputError when dest cannot be written (an existing dest then stays as it was). With a
    // space limit (the tests' full disk) the file's bytes are taken from it.
    Saved Save(int index, const std::filesystem::path& dest, FreeSpaceLimit* space = nullptr) const;

private:
    std::filesystem::path fileName_;
    bool iconFile_ = false;
    std::filesystem::path modulePath_;
    std::optional<int> associatedIndex_; // the index a DefaultIcon location names
    std::unique_ptr<ModuleResources> module_;
    std::vector<std::string> names_;
};

// Copies an icon file to dest after checking that it is one: a readable file of at most
// 128 MiB whose header lists at least one image. Returns the reason when the source is not
// such a file (nothing is written then); throws OutputError when dest cannot be written.
std::string CopyIconFile(const std::filesystem::path& source, const std::filesystem::path& dest,
                         FreeSpaceLimit* space = nullptr);

// The DefaultIcon location of an extension (lower case, with its dot), cleaned up: environment
// references expanded, a remaining "%..." tail (such as %1) removed, quotes stripped.
std::string GetDefaultIconLocation(const std::string& extension);

// The clean-up of a raw DefaultIcon value on its own (testable without a registry).
std::string NormalizeDefaultIconLocation(std::string value);

// Lower-cased extension with its dot ("" when there is none).
std::string LowerExtension(const std::filesystem::path& path);

// True for the extensions whose files are their own modules: ".exe", ".dll", ".ocx" and
// ".icl" (icon libraries, NE or PE), given in lower case.
bool IsModuleExtension(const std::string& lowerExtension);

} // namespace glyphora
