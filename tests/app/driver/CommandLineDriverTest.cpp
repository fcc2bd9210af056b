// The command-line driver against a recording host: argument lists in, the calls the driver
// makes (and the messages it shows) out.
#include "app/driver/CommandLineArgs.h"
#include "app/driver/CommandLineDriver.h"
#include "i18n/LanguagePack.h"
#include "platform/GlyphoraError.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#ifndef _WIN32
#include <unistd.h>
#endif

namespace glyphora {
namespace {

namespace fs = std::filesystem;

class RecordingHost final : public CommandLineHost {
public:
    std::vector<std::string> calls;
    bool firstStart = false;
    int saveIconResult = 1;
    int saveAllResult = 7;
    bool throwOnSave = false;
    bool throwOnSaveAll = false;
    bool replaceWithoutAsking = false; // what the last save-all request said about existing files
    int busyDepth = 0;

    bool IsFirstStart() const override { return firstStart; }
    void RunHelp() override { calls.push_back("RunHelp"); }
    void SelectFile(const std::string& f) override { calls.push_back("SelectFile(" + f + ")"); }
    void SetSmallIcons() override { calls.push_back("SetSmallIcons"); }
    int SaveIcon(int index, const std::string& f, OutputKind type, bool gray) override
    {
        if (throwOnSave) throw GlyphoraError("disk full");
        calls.push_back("SaveIcon(" + std::to_string(index) + "," + f + "," + std::to_string(OutputKindCode(type)) +
                        "," + (gray ? "gray" : "colour") + ")");
        return saveIconResult;
    }
    void SaveAllAsOne(const std::string& f, OutputKind type, bool gray) override
    {
        calls.push_back("SaveAllAsOne(" + f + "," + std::to_string(OutputKindCode(type)) + "," +
                        (gray ? "gray" : "colour") + ")");
    }
    void SaveAll(const SaveAllRequest& r, int& count, DialogAnswer& confirm) override
    {
        replaceWithoutAsking = r.overwrite == OverwritePolicy::Replace;
        if (throwOnSaveAll) throw GlyphoraError("disk full");
        std::ostringstream s;
        s << "SaveAll(src=" << r.srcFileName.string() << ",dir=" << r.destDir.string() << ",ext=" << r.destExt
          << ",type=" << OutputKindCode(r.fileType) << ",dbf=" << OutputKindCode(r.dbfType)
          << ",field=" << r.dbfFieldName << ",img=" << HtmlPictureTypeCode(r.targetImageType)
          << ",flags=" << r.includeNumbers << r.drawBorders << r.grayScale << r.small
          << ",confirm=" << static_cast<int>(confirm)
          << ",overwrite=" << (r.overwrite == OverwritePolicy::Replace ? "replace" : "ask") << ")";
        calls.push_back(s.str());
        count = saveAllResult;
    }
    void OpenSavedFile(const std::string& f, const std::string& ext) override
    {
        calls.push_back("Open(" + f + "," + ext + ")");
    }
    void ShowError(const std::string& t) override { calls.push_back("Error(" + t + ")"); }
    void ShowInformation(const std::string& t) override { calls.push_back("Info(" + t + ")"); }
    void ShowWarning(const std::string& t) override { calls.push_back("Warning(" + t + ")"); }
    void SetBusyCursor(bool busy) override { busyDepth += busy ? 1 : -1; }
    void Close() override { calls.push_back("Close"); }
};

class CommandLineDriverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ReleaseLanguagePack(); // the built-in English texts below do not depend on a pack
        dir_ = fs::temp_directory_path() /
               ("glyphora-driver-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "Program Files");
        std::ofstream(dir_ / "app.exe") << "x";
        std::ofstream(dir_ / "Program Files" / "app.exe") << "x";
    }
    void TearDown() override { fs::remove_all(dir_); }

    // "{T}" in a text stands for the test's folder.
    std::string Expand(std::string s) const
    {
        for (auto p = s.find("{T}"); p != std::string::npos; p = s.find("{T}"))
            s.replace(p, 3, dir_.string());
        return s;
    }
    std::vector<std::string> Run(const std::vector<std::string>& args, RecordingHost& host)
    {
        std::vector<std::string> expanded;
        for (const auto& a : args)
            expanded.push_back(Expand(a));
        RunCommandLine(expanded, host);
        return host.calls;
    }

    fs::path dir_;
};

struct DriverCase {
    std::string name;
    std::vector<std::string> args;
    std::vector<std::string> expected;
};

TEST_F(CommandLineDriverTest, ArgumentListsBecomeTheExpectedCalls)
{
    const std::string app = "{T}/app.exe";
    const std::vector<DriverCase> cases = {
        {"unquoted path with spaces is joined",
         {"{T}/Program", "Files/app.exe"},
         {"SelectFile({T}/Program Files/app.exe)"}},
        {"no extension, no type: first group as icon file",
         {"-e", app, "{T}/out"},
         {"SelectFile({T}/app.exe)", "SaveIcon(0,{T}/out,0,colour)", "Info(Done: 1 icon(s) saved.)"}},
        {"all icons as PNG into a new folder, folder never opened",
         {"-e", app, "{T}/icons", "-desttype=PNG", "-iconindex=0", "-opendestination"},
         {"SelectFile({T}/app.exe)",
          "SaveAll(src={T}/app.exe,dir={T}/icons,ext=.PNG,type=5,dbf=0,field=,img=0,flags=0000,confirm=0,overwrite=replace)",
          "Info(Done: 7 icon(s) saved.)"}},
        {"HTML from the extension: pictures in page_files",
         {"-e", app, "{T}/page.html", "-includenumbers", "-drawborders", "-htmldestimagetype=gif"},
         {"SelectFile({T}/app.exe)",
          "SaveAll(src={T}/app.exe,dir={T}/page_files,ext=.HTML,type=11,dbf=0,field=,img=2,flags=1100,confirm=0,overwrite=replace)",
          "Info(Done: 7 icon(s) saved.)"}},
        {"HTM type word names the document extension",
         {"-e", app, "{T}/out.html", "-desttype=HTM", "-opendestination"},
         {"SelectFile({T}/app.exe)",
          "SaveAll(src={T}/app.exe,dir={T}/out_files,ext=.HTM,type=11,dbf=0,field=,img=0,flags=0000,confirm=0,overwrite=replace)",
          "Open({T}/out.html,HTM)", "Info(Done: 7 icon(s) saved.)"}},
        {"dBase: field name cut to 10, JPEG memos",
         {"-e", app, "{T}/out.dbf", "-dbasefieldname= ABCDEFGHIJKLM ", "-dbasedesttype=jpg"},
         {"SelectFile({T}/app.exe)",
          "SaveAll(src={T}/app.exe,dir={T},ext=.DBF,type=12,dbf=2,field=ABCDEFGHIJ,img=0,flags=0000,confirm=0,overwrite=replace)",
          "Info(Done: 7 icon(s) saved.)"}},
        {"DBASE and METAFILE words are rewritten",
         {"-e", app, "{T}/t", "-desttype=dbase", "-dbasedesttype=METAFILE"},
         {"SelectFile({T}/app.exe)",
          "SaveAll(src={T}/app.exe,dir={T},ext=.DBF,type=12,dbf=3,field=,img=0,flags=0000,confirm=0,overwrite=replace)",
          "Info(Done: 7 icon(s) saved.)"}},
        {"all as one GIF: no success message",
         {"-e", app, "{T}/all.gif", "-alliconsasoneimage", "-opendestination"},
         {"SelectFile({T}/app.exe)", "SaveAllAsOne({T}/all.gif,4,colour)", "Open({T}/all.gif,GIF)"}},
        {"all as one with type ICO writes a bitmap",
         {"-e", app, "{T}/all.ico", "-alliconsasoneimage"},
         {"SelectFile({T}/app.exe)", "SaveAllAsOne({T}/all.ico,1,colour)"}},
        {"slash and capitals",
         {"/E", app, "{T}/out.png", "/ICONINDEX=3", "/GrayScale"},
         {"SelectFile({T}/app.exe)", "SaveIcon(2,{T}/out.png,5,gray)", "Info(Done: 1 icon(s) saved.)"}},
        {"first non-empty desttype wins",
         {"-e", app, "{T}/x", "-desttype=", "-desttype=gif", "-desttype=png"},
         {"SelectFile({T}/app.exe)", "SaveIcon(0,{T}/x,4,colour)", "Info(Done: 1 icon(s) saved.)"}},
        {"unparsable icon index is ignored with a warning",
         {"-e", app, "{T}/x.bmp", "-iconindex=two", "-iconindex=2"},
         {"Warning(Unrecognised -iconindex= value 'two': it is ignored.)", "SelectFile({T}/app.exe)",
          "SaveIcon(1,{T}/x.bmp,1,colour)", "Info(Done: 1 icon(s) saved.)"}},
        {"unknown type words fall back with a warning",
         {"-e", app, "{T}/x", "-desttype=xyz", "-dbasedesttype=tiff", "-htmldestimagetype=bmp"},
         {"Warning(Unrecognised -desttype= value 'xyz': the icons are written as icon files.)",
          "Warning(Unrecognised -dbasedesttype= value 'tiff': the memos hold icon files.)",
          "Warning(Unrecognised -htmldestimagetype= value 'bmp': the pictures are written as PNG.)",
          "SelectFile({T}/app.exe)", "SaveIcon(0,{T}/x,0,colour)", "Info(Done: 1 icon(s) saved.)"}},
        {"negative icon index leaves icon 1",
         {"-e", app, "{T}/x.jpeg", "-iconindex=-4"},
         {"SelectFile({T}/app.exe)", "SaveIcon(0,{T}/x.jpeg,2,colour)", "Info(Done: 1 icon(s) saved.)"}},
        {"small icons reload before saving",
         {"-e", app, "{T}/x.wmf", "-iconsizesmall", "-closewhendone"},
         {"SelectFile({T}/app.exe)", "SetSmallIcons", "SaveIcon(0,{T}/x.wmf,3,colour)", "Close"}},
        {"unknown switches are ignored with a warning",
         {"-e", "-frobnicate", app, "{T}/x.gif", "-x=1"},
         {"Warning(Unrecognised switch '-frobnicate': it is ignored.)",
          "Warning(Unrecognised switch '-x=1': it is ignored.)", "SelectFile({T}/app.exe)",
          "SaveIcon(0,{T}/x.gif,4,colour)", "Info(Done: 1 icon(s) saved.)"}},
        {"source not found",
         {"-e", "{T}/missing.exe", "{T}/x.png"},
         {"Error(The command line could not be carried out:\nFile not found:\n{T}/missing.exe)"}},
        {"a folder as the source is named as such",
         {"-e", "{T}", "{T}/x.png"},
         {"Error(The command line could not be carried out:\n{T}\nis a folder. Name a file to take its icons from.)"}},
        {"switches without -e become part of the name",
         {app, "-grayscale"},
         {"Error(The command line could not be carried out:\nFile not found:\n{T}/app.exe -grayscale)"}},
        {"export without destination",
         {"-e", app, "  "},
         {"SelectFile({T}/app.exe)",
          "Error(The command line could not be carried out:\nNo destination was given. Name the file or folder to save to after the source file.)"}},
        {"PDF ignores the icon number",
         {"-e", app, "{T}/doc.pdf", "-iconindex=4"},
         {"SelectFile({T}/app.exe)",
          "SaveAll(src={T}/app.exe,dir={T},ext=.PDF,type=13,dbf=0,field=,img=0,flags=0000,confirm=0,overwrite=replace)",
          "Info(Done: 7 icon(s) saved.)"}},
        {"spreadsheet from the type word: every icon, the document opened",
         {"-e", app, "{T}/book", "-desttype=xlsx", "-iconindex=2", "-grayscale", "-opendestination"},
         {"SelectFile({T}/app.exe)",
          "SaveAll(src={T}/app.exe,dir={T},ext=.XLSX,type=14,dbf=0,field=,img=0,flags=0010,confirm=0,overwrite=replace)",
          "Open({T}/book,XLSX)", "Info(Done: 7 icon(s) saved.)"}},
        {"spreadsheet from the extension",
         {"-e", app, "{T}/icons.XLSX", "-iconsizesmall"},
         {"SelectFile({T}/app.exe)", "SetSmallIcons",
          "SaveAll(src={T}/app.exe,dir={T},ext=.XLSX,type=14,dbf=0,field=,img=0,flags=0001,confirm=0,overwrite=replace)",
          "Info(Done: 7 icon(s) saved.)"}},
    };
    for (const DriverCase& c : cases) {
        RecordingHost host;
        std::vector<std::string> expected;
        for (const auto& e : c.expected)
            expected.push_back(Expand(e));
        EXPECT_EQ(Run(c.args, host), expected) << c.name;
        EXPECT_EQ(host.busyDepth, 0) << c.name;
    }
    EXPECT_FALSE(fs::exists(dir_ / "icons"))
        << "the picture folder is left to SaveAll, which creates it with the first file";
}

TEST_F(CommandLineDriverTest, OnlyTheFirst24ArgumentsAreRead)
{
    std::vector<std::string> args = {"-e", "{T}/app.exe", "{T}/x.png"};
    while (args.size() < 24)
        args.push_back("-unknown");
    args.push_back("-grayscale"); // the 25th argument
    RecordingHost host;
    const auto calls = Run(args, host);
    // Arguments 4 to 24 are each reported as unknown; the 25th is never looked at.
    ASSERT_EQ(calls.size(), 21u + 3u);
    for (std::size_t i = 0; i < 21; ++i)
        EXPECT_EQ(calls[i], "Warning(Unrecognised switch '-unknown': it is ignored.)");
    EXPECT_EQ(calls[22], Expand("SaveIcon(0,{T}/x.png,5,colour)"));

    const CommandLineArgs scanned = ScanCommandLine(std::vector<std::string>(30, "a"));
    EXPECT_EQ(scanned.positional.size(), 24u);
    EXPECT_EQ(scanned.joinedSource.size(), 24u * 2 - 1);
}

TEST_F(CommandLineDriverTest, NoArgumentsOpensHelpOnlyOnTheFirstStart)
{
    RecordingHost first;
    first.firstStart = true;
    EXPECT_EQ(Run({}, first), std::vector<std::string>{"RunHelp"});
    RecordingHost later;
    EXPECT_TRUE(Run({}, later).empty());
}

TEST_F(CommandLineDriverTest, AFailedSaveRestoresTheCursorAndEndsTheRun)
{
    // A single icon and a save-all that fail alike; the save-all request still said to
    // replace without asking.
    struct Case {
        const char* name;
        std::vector<std::string> args;
        bool saveAll;
    };
    const Case cases[] = {
        {"single icon", {"-e", "{T}/app.exe", "{T}/x.png", "-closewhendone"}, false},
        {"every icon", {"-e", "{T}/app.exe", "{T}/dir", "-desttype=png", "-iconindex=0", "-closewhendone"}, true},
    };
    for (const Case& c : cases) {
        RecordingHost host;
        host.throwOnSave = !c.saveAll;
        host.throwOnSaveAll = c.saveAll;
        EXPECT_THROW(Run(c.args, host), GlyphoraError) << c.name;
        EXPECT_EQ(host.replaceWithoutAsking, c.saveAll) << c.name;
        EXPECT_EQ(host.busyDepth, 0) << c.name;
        EXPECT_EQ(host.calls, std::vector<std::string>{Expand("SelectFile({T}/app.exe)")})
            << c.name << ": no success message, no close";
    }
}

TEST_F(CommandLineDriverTest, ASaveOfNothingIsAnErrorAndOpensNothing)
{
    struct Case {
        const char* name;
        std::vector<std::string> args;
        bool single;
    };
    const Case cases[] = {
        {"single icon file", {"-e", "{T}/app.exe", "{T}/x.ico", "-opendestination", "-closewhendone"}, true},
        {"folder of pictures", {"-e", "{T}/app.exe", "{T}/dir", "-desttype=png", "-iconindex=0"}, false},
        {"HTML document", {"-e", "{T}/app.exe", "{T}/page.htm", "-opendestination"}, false},
        {"dBase table", {"-e", "{T}/app.exe", "{T}/t.dbf", "-closewhendone"}, false},
        {"PDF document", {"-e", "{T}/app.exe", "{T}/d.pdf", "-opendestination"}, false},
    };
    for (const Case& c : cases) {
        RecordingHost host;
        host.saveIconResult = 0;
        host.saveAllResult = 0;
        const auto calls = Run(c.args, host);
        ASSERT_FALSE(calls.empty()) << c.name;
        EXPECT_EQ(calls.back(),
                  Expand("Error(The command line could not be carried out:\nUnable to load or find icons in this "
                         "file.\n{T}/app.exe)"))
            << c.name;
        EXPECT_EQ(calls.size(), 3u) << c.name << ": the file, the save, the error; no success message, no close";
        for (const auto& call : calls)
            EXPECT_EQ(call.rfind("Open(", 0), std::string::npos) << c.name;
        EXPECT_EQ(host.busyDepth, 0) << c.name;
    }
}

#ifndef _WIN32
TEST_F(CommandLineDriverTest, AnUnreadableSourceIsAnErrorNotAFileWithoutIcons)
{
    if (::geteuid() == 0) GTEST_SKIP() << "root reads files whatever their permissions";
    const fs::path locked = dir_ / "locked.exe";
    std::ofstream(locked) << "MZ";
    fs::permissions(locked, fs::perms::none);
    RecordingHost host;
    const auto calls = Run({"-e", locked.string(), "{T}/x.png"}, host);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_NE(calls[0].find("Cannot read '" + locked.string() + "'"), std::string::npos) << calls[0];
    fs::permissions(locked, fs::perms::owner_all);
}
#endif

} // namespace
} // namespace glyphora
