// Every output kind on a full disk: whatever the free space runs out at, the save fails with
// the system's reason, an existing file stays exactly as it was, and every file present
// afterwards is either an old file untouched or a complete new one (byte for byte what a run
// with room to spare writes); no temporary file and no empty folder of ours is left. The
// disk is the output layer's simulated one, so the test runs as any user; CliFullDiskTest
// does the same on a real full file system when it may mount one.
#include "export/SaveAll.h"
#include "export/SaveAllAsOne.h"
#include "export/SaveIcon.h"
#include "i18n/LanguagePack.h"
#include "iconengine/IconSources.h"
#include "platform/AtomicFile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <regex>

namespace glyphora {
namespace {

namespace fs = std::filesystem;

const fs::path kBuild = GLYPHORA_BUILD_DIR;
const fs::path kSample = kBuild / "samples" / "glyphora-sample.dll";
const fs::path kSampleIco = kBuild / "samples" / "glyphora-sample.ico";

std::string Read(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The files under a folder by relative path, with the PDF creation time blanked so that two
// runs compare equal.
std::map<std::string, std::string> Contents(const fs::path& dir)
{
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(dir)) {
        const std::string name = fs::relative(e.path(), dir).generic_string();
        if (e.is_directory()) {
            files[name + "/"] = "";
            continue;
        }
        files[name] =
            std::regex_replace(Read(e.path()), std::regex("/CreationDate \\(D:[0-9]+\\)"), "/CreationDate ()");
    }
    return files;
}

class FullDiskTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(LoadLanguagePack(fs::path(GLYPHORA_SOURCE_DIR) / "i18n/packs/english.lng"));
        module_ = Current(kSample);
        icoFile_ = Current(kSampleIco);
    }
    void TearDown() override { ReleaseLanguagePack(); }
    static CurrentIcons Current(const fs::path& file)
    {
        CurrentIcons c;
        c.fileName = file;
        c.icons = LoadFileIcons(file, IconSizing::Large, BuiltInFileTypeIcons()).icons;
        return c;
    }
    CurrentIcons module_;
    CurrentIcons icoFile_;
};

struct OutputCase {
    const char* name;
    std::function<void(const fs::path& dest, FreeSpaceLimit* space)> save;
};

TEST_F(FullDiskTest, EveryOutputKindKeepsOldFilesAndLeavesNothingHalfWritten)
{
    const auto saveAll = [this](OutputKind fileType, const char* document, OutputKind dbfType = OutputKind::Icon) {
        return [this, fileType, document, dbfType](const fs::path& dest, FreeSpaceLimit* space) {
            SaveAllRequest r;
            r.srcFileName = kSample;
            r.fileType = fileType;
            r.dbfType = dbfType;
            r.includeNumbers = r.drawBorders = true;
            r.columnCount = 4;
            r.overwrite = OverwritePolicy::Replace; // as the command line does
            r.freeSpace = space;
            r.destFileName = dest / document;
            r.destDir = fileType == OutputKind::Html     ? dest / "page_files"
                        : IsSingleFileDocument(fileType) ? dest
                                                         : dest / "icons";
            int count = 0;
            DialogAnswer answer = DialogAnswer::None;
            SaveAll(module_, r, count, answer);
        };
    };
    const std::vector<OutputCase> cases = {
        {"one group as .ico",
         [this](const fs::path& d, FreeSpaceLimit* space) {
             SaveIcon(module_, 1, d / "one.ico", OutputKind::Icon, false, space);
         }},
        {"an .ico source copied",
         [this](const fs::path& d, FreeSpaceLimit* space) {
             SaveIcon(icoFile_, 0, d / "copy.ico", OutputKind::Icon, false, space);
         }},
        {"one icon as PNG",
         [this](const fs::path& d, FreeSpaceLimit* space) {
             SaveIcon(module_, 1, d / "one.png", OutputKind::Png, false, space);
         }},
        {"one icon as BMP",
         [this](const fs::path& d, FreeSpaceLimit* space) {
             SaveIcon(module_, 1, d / "one.bmp", OutputKind::Bmp, false, space);
         }},
        {"one icon as JPEG",
         [this](const fs::path& d, FreeSpaceLimit* space) {
             SaveIcon(module_, 1, d / "one.jpg", OutputKind::Jpeg, true, space);
         }},
        {"one icon as EMF",
         [this](const fs::path& d, FreeSpaceLimit* space) {
             SaveIcon(module_, 1, d / "one.emf", OutputKind::Emf, false, space);
         }},
        {"one icon as GIF",
         [this](const fs::path& d, FreeSpaceLimit* space) {
             SaveIcon(module_, 1, d / "one.gif", OutputKind::Gif, false, space);
         }},
        {"every group as .ico", saveAll(OutputKind::Icon, "")},
        {"every icon as PNG", saveAll(OutputKind::Png, "")},
        {"HTML page and pictures", saveAll(OutputKind::Html, "page.htm")},
        {"dBase table and memos", saveAll(OutputKind::Dbase, "table.dbf")},
        {"dBase with PNG memos", saveAll(OutputKind::Dbase, "pictures.dbf", OutputKind::Png)},
        {"PDF document", saveAll(OutputKind::Pdf, "icons.pdf")},
        {"composed picture",
         [this](const fs::path& d, FreeSpaceLimit* space) {
             IconGridModel grid;
             grid.SetWidth(300);
             grid.LoadIcons(static_cast<int>(module_.icons.size()));
             SaveAllAsOne(grid, module_.icons, d / "all.png", OutputKind::Png, false, space);
         }},
    };

    for (const OutputCase& c : cases) {
        SCOPED_TRACE(c.name);
        const testing::TempFolder reference;
        ASSERT_NO_THROW(c.save(reference.path(), nullptr));
        const auto complete = Contents(reference.path());
        ASSERT_FALSE(complete.empty());
        std::uint64_t total = 0;
        for (const auto& [name, bytes] : complete)
            total += bytes.size();

        for (const bool withOldFiles : {false, true}) {
            for (const std::uint64_t space : {std::uint64_t{0}, std::uint64_t{1}, total / 3, total / 2, total - 1}) {
                SCOPED_TRACE((withOldFiles ? "old files, " : "no old files, ") + std::to_string(space) + " of " +
                             std::to_string(total) + " bytes free");
                const testing::TempFolder dest;
                std::map<std::string, std::string> old;
                if (withOldFiles) {
                    for (const auto& [name, bytes] : complete) {
                        if (name.back() == '/') {
                            fs::create_directories(dest.path() / name);
                            continue;
                        }
                        old[name] = "old " + name;
                        std::ofstream(dest.path() / name, std::ios::binary) << old[name];
                    }
                }
                try {
                    FreeSpaceLimit full(space);
                    c.save(dest.path(), &full);
                    ADD_FAILURE() << "the save did not fail";
                } catch (const OutputError& e) {
                    EXPECT_NE(std::string(e.what()).find(std::generic_category().message(ENOSPC)), std::string::npos)
                        << e.what();
                }
                for (const auto& [name, bytes] : Contents(dest.path())) {
                    EXPECT_FALSE(IsTemporaryOutputName(fs::path(name).filename().string())) << name;
                    if (name.back() == '/') {
                        EXPECT_TRUE(withOldFiles || !fs::is_empty(dest.path() / name))
                            << name << ": an empty folder of ours";
                        continue;
                    }
                    const bool untouched = old.count(name) && bytes == old[name];
                    const bool whole = complete.count(name) && bytes == complete.at(name);
                    EXPECT_TRUE(untouched || whole) << name << " is neither the old file nor a complete new one";
                }
                if (space == 0 && withOldFiles) {
                    for (const auto& [name, bytes] : old)
                        EXPECT_EQ(Read(dest.path() / name), bytes) << name;
                }
                if (space == 0 && !withOldFiles) {
                    EXPECT_TRUE(fs::is_empty(dest.path())) << "nothing of ours is left";
                }
            }
        }
    }
}

} // namespace
} // namespace glyphora
