// A help viewer that records what it was asked to show, one line per request:
// "contents FILE", "topic FILE PAGE" or "close all".
#pragma once

#include "platform/HelpViewer.h"

#include <string>
#include <vector>

namespace glyphora::testing {

class RecordingHelpViewer final : public HelpViewer {
public:
    void ShowContents(const std::filesystem::path& helpFile) override
    {
        calls.push_back("contents " + helpFile.string());
    }
    void ShowTopic(const std::filesystem::path& helpFile, const std::string& page) override
    {
        calls.push_back("topic " + helpFile.string() + " " + page);
    }
    void CloseAll() override { calls.push_back("close all"); }

    std::vector<std::string> calls;
};

} // namespace glyphora::testing
