// Runs an external checker from a test.
#include "tests/support/RunTool.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

namespace glyphora::testing {

ToolResult RunTool(const std::string& commandLine)
{
    ToolResult result;
    FILE* pipe = popen((commandLine + " 2>&1").c_str(), "r");
    if (!pipe) return result;
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.output.append(buffer.data(), n);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

SplitToolResult RunToolSplit(const std::string& commandLine)
{
    SplitToolResult result;
    char errPath[] = "/tmp/glyphora-stderr-XXXXXX";
    const int fd = ::mkstemp(errPath);
    if (fd < 0) return result;
    ::close(fd);
    FILE* pipe = popen((commandLine + " 2>" + ShellQuote(errPath)).c_str(), "r");
    if (pipe) {
        std::array<char, 4096> buffer{};
        std::size_t n = 0;
        while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
            result.out.append(buffer.data(), n);
        const int status = pclose(pipe);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::ifstream err(errPath, std::ios::binary);
    result.err.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
    ::unlink(errPath);
    return result;
}

std::string ShellQuote(const std::string& text)
{
    std::string out = "'";
    for (char c : text) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

} // namespace glyphora::testing
