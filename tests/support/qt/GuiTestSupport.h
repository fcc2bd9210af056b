// Helpers of the GUI tests: a scripted DialogService that answers from queues and records
// every request, a recording file opener, and the bundled sample module's path.
#pragma once

#include "app/gui/DialogService.h"

#include <QPaintDevice>
#include <QPrinter>

#include <deque>
#include <functional>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace glyphora::test {

inline std::filesystem::path SampleModule()
{
    return GLYPHORA_BUILD_DIR "/samples/glyphora-sample.dll";
}

inline std::filesystem::path SampleIcon()
{
    return GLYPHORA_BUILD_DIR "/samples/glyphora-sample.ico";
}

struct ShownMessage {
    std::string text;
    MessageIcon icon;
    MessageButtons buttons;
};

class ScriptedDialogs final : public DialogService {
public:
    // Answers, taken in order; an empty queue answers "cancel" (and "no" to questions).
    std::deque<std::optional<std::filesystem::path>> openAnswers;
    std::deque<std::optional<SaveFileAnswer>> saveAnswers;
    std::deque<std::optional<std::filesystem::path>> folderAnswers;
    std::deque<std::optional<ExportSettings>> exportAnswers;
    std::deque<DialogAnswer> messageAnswers;
    std::deque<std::optional<PrintChoices>> printChoiceAnswers;
    // The system print dialog's answer: a function that sets the printer up (for example to
    // print into a PDF file) and says whether to print; an empty queue cancels.
    std::deque<std::function<bool(QPrinter&)>> printerSetUps;
    // The preview's answer (print or close); an empty queue closes. previewPage, when set,
    // receives the page the preview would show.
    std::deque<bool> previewAnswers;
    QPaintDevice* previewPage = nullptr;
    bool printerInstalled = true;

    // What was asked.
    std::vector<OpenFileRequest> openRequests;
    std::vector<SaveFileRequest> saveRequests;
    std::vector<std::string> folderTitles;
    std::vector<std::pair<ExportKind, ExportSettings>> exportRequests;
    std::vector<ShownMessage> messages;
    std::vector<bool> printChoiceRequests; // selectionAvailable of each print choices dialog
    int printerSetUpCount = 0;
    int previewCount = 0;
    int aboutCount = 0;

    // Runs while any dialog is "open", to act out what a real modal dialog does to the
    // window (for example taking the keyboard focus away).
    std::function<void()> whileOpen;

    DialogAnswer Show(const std::string& text, MessageIcon icon, MessageButtons buttons) override
    {
        messages.push_back({text, icon, buttons});
        if (whileOpen) whileOpen();
        return Take(messageAnswers, buttons == MessageButtons::Ok ? DialogAnswer::Ok : DialogAnswer::No);
    }
    std::optional<std::filesystem::path> OpenFile(const OpenFileRequest& request) override
    {
        openRequests.push_back(request);
        if (whileOpen) whileOpen();
        return Take(openAnswers, std::optional<std::filesystem::path>{});
    }
    std::optional<SaveFileAnswer> SaveFile(const SaveFileRequest& request) override
    {
        saveRequests.push_back(request);
        if (whileOpen) whileOpen();
        return Take(saveAnswers, std::optional<SaveFileAnswer>{});
    }
    std::optional<std::filesystem::path> ChooseFolder(const std::string& title, const std::filesystem::path&) override
    {
        folderTitles.push_back(title);
        if (whileOpen) whileOpen();
        return Take(folderAnswers, std::optional<std::filesystem::path>{});
    }
    std::optional<ExportSettings> EditExportOptions(ExportKind kind, const ExportSettings& settings) override
    {
        exportRequests.emplace_back(kind, settings);
        if (whileOpen) whileOpen();
        return Take(exportAnswers, std::optional<ExportSettings>{});
    }
    std::optional<PrintChoices> ChoosePrintOptions(bool selectionAvailable) override
    {
        printChoiceRequests.push_back(selectionAvailable);
        if (whileOpen) whileOpen();
        return Take(printChoiceAnswers, std::optional<PrintChoices>{});
    }
    bool PrinterInstalled() override { return printerInstalled; }
    bool SetUpPrinter(QPrinter& printer) override
    {
        ++printerSetUpCount;
        if (whileOpen) whileOpen();
        const std::function<bool(QPrinter&)> setUp = Take(printerSetUps, std::function<bool(QPrinter&)>{});
        return setUp && setUp(printer);
    }
    bool PreviewPrint(QPrinter&, const std::function<void(QPaintDevice&)>& paint) override
    {
        ++previewCount;
        if (whileOpen) whileOpen();
        if (previewPage) paint(*previewPage);
        return Take(previewAnswers, false);
    }
    void ShowAbout() override
    {
        ++aboutCount;
        if (whileOpen) whileOpen();
    }

private:
    template <typename T>
    static T Take(std::deque<T>& queue, T fallback)
    {
        if (queue.empty()) return fallback;
        T value = std::move(queue.front());
        queue.pop_front();
        return value;
    }
};

} // namespace glyphora::test
