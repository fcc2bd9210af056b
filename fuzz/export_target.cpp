// Fuzz targets of the whole export path: the input is written as a module (when it starts
// with "MZ") or an icon file, and glyphora-cli's driver and console host export it into a
// private temporary folder as one output kind, chosen when the target is built
// (GLYPHORA_FUZZ_OUTPUT, see fuzz/CMakeLists.txt). A failure must come as GlyphoraError (or
// a failing exit), never as a crash, a hang or a leak, and no temporary file may be left.
#include "app/cli/ConsoleHost.h"
#include "app/driver/CommandLineDriver.h"
#include "platform/AtomicFile.h"
#include "platform/GlyphoraError.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

enum class Output { Ico, Png, Bmp, Html, Dbase, Pdf, Composed };

constexpr Output kOutput = Output::GLYPHORA_FUZZ_OUTPUT;

// A private folder for this process, made once.
const fs::path& WorkFolder()
{
    static const fs::path folder = [] {
        std::string pattern = (fs::temp_directory_path() / "glyphora-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        return fs::path(pattern);
    }();
    return folder;
}

std::vector<std::string> Arguments(const fs::path& source, const fs::path& out)
{
    const std::string src = source.string();
    switch (kOutput) {
    case Output::Ico: return {"-e", src, (out / "icons").string(), "-iconindex=0", "-desttype=ico"};
    case Output::Png:
        return {"-e", src, (out / "pictures").string(), "-iconindex=0", "-desttype=png", "-iconsizesmall"};
    case Output::Bmp: return {"-e", src, (out / "one.bmp").string(), "-iconindex=1", "-grayscale"};
    case Output::Html:
        return {"-e", src, (out / "page.htm").string(), "-includenumbers", "-drawborders", "-htmldestimagetype=gif"};
    case Output::Dbase: return {"-e", src, (out / "table.dbf").string(), "-dbasedesttype=png", "-iconsizesmall"};
    case Output::Pdf: return {"-e", src, (out / "icons.pdf").string(), "-includenumbers"};
    case Output::Composed: return {"-e", src, (out / "all.png").string(), "-alliconsasoneimage"};
    }
    return {};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace glyphora;
    const fs::path& work = WorkFolder();
    const bool module = size >= 2 && data[0] == 'M' && data[1] == 'Z';
    const fs::path source = work / (module ? "input.dll" : "input.ico");
    const fs::path out = work / "out";
    {
        std::ofstream file(source, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    fs::create_directories(out);

    std::ostringstream stdoutText, stderrText;
    ConsoleHost host(stdoutText, stderrText);
    try {
        (void)RunCommandLine(Arguments(source, out), host);
    } catch (const GlyphoraError&) {
        // a failure the tool reports on stderr
    }
    for (const auto& entry : fs::recursive_directory_iterator(out))
        if (IsTemporaryOutputName(entry.path().filename().string())) __builtin_trap();
    std::error_code ec;
    fs::remove_all(out, ec);
    fs::remove(source, ec);
    return 0;
}
