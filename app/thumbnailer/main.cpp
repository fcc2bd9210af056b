// glyphora-thumbnailer: the freedesktop thumbnailer of Windows modules, run by file managers
// as "glyphora-thumbnailer -s SIZE INPUT OUTPUT" (see packaging/glyphora.thumbnailer.in).
// File managers run it in a sandbox that shows only /usr, a read-only INPUT under another
// name and a private folder for OUTPUT, so it decides everything by content, reads no
// settings, and writes nothing but OUTPUT, atomically. Exit 0 only when OUTPUT was written;
// otherwise OUTPUT is left alone and one line on stderr says why.
#include "export/Thumbnail.h"
#include "platform/AtomicFile.h"

#include <charconv>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

constexpr const char* kUsage = "usage: glyphora-thumbnailer -s SIZE INPUT OUTPUT";

void Say(const std::string& line)
{
    std::fputs(("glyphora-thumbnailer: " + line + "\n").c_str(), stderr);
}

bool ParseSize(std::string_view text, int& size)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), size);
    return !text.empty() && ec == std::errc{} && end == text.data() + text.size();
}

int Run(int argc, char** argv)
{
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::printf("glyphora-thumbnailer %s\n", GLYPHORA_VERSION);
        return 0;
    }
    if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        std::printf("%s\nWrites the first icon of INPUT (a Windows module or icon file) as a PNG of at most SIZE "
                    "pixels a side to OUTPUT.\n",
                    kUsage);
        return 0;
    }
    int size = 0;
    if (argc != 5 || std::string_view(argv[1]) != "-s" || !ParseSize(argv[2], size)) {
        Say(kUsage);
        return kExitUsage;
    }
    const std::string input = argv[3];
    const glyphora::Thumbnail thumbnail = glyphora::MakeThumbnail(input, size);
    if (thumbnail.png.empty()) {
        Say("'" + input + "': " + thumbnail.problem);
        return kExitFailed;
    }
    glyphora::WriteFileAtomically(argv[4], thumbnail.png);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return Run(argc, argv);
    } catch (const std::exception& error) {
        Say(error.what());
    } catch (...) {
        Say("an unexpected failure");
    }
    return kExitFailed;
}
