// Runs an external checker (icotool, qpdf, Python with Pillow or dbfread) from a test and
// returns its exit status and standard output.
#pragma once

#include <string>

namespace glyphora::testing {

struct ToolResult {
    int status = -1;
    std::string output;
};

ToolResult RunTool(const std::string& commandLine);

// The same with standard output and standard error kept apart.
struct SplitToolResult {
    int status = -1;
    std::string out;
    std::string err;
};
SplitToolResult RunToolSplit(const std::string& commandLine);

// Quotes a path or argument for the shell.
std::string ShellQuote(const std::string& text);

// The system Python that Debian's python3-pil and python3-dbfread belong to.
constexpr const char* kSystemPython = "/usr/bin/python3";

} // namespace glyphora::testing
