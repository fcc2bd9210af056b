// The console front end's host of the command-line driver.
#include "app/cli/ConsoleHost.h"

#include "export/OpenSavedFile.h"
#include "export/SaveAll.h"
#include "export/SaveAllAsOne.h"
#include "iconview/DefaultLayout.h"
#include "iconview/IconGridModel.h"
#include "export/SaveIcon.h"
#include "export/SaveProblems.h"
#include "platform/GlyphoraError.h"

#include <ostream>

namespace glyphora {

namespace {

// The driver's texts may span lines (a heading, then the reason); stderr gets one line.
std::string OneLine(const std::string& text)
{
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            while (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n'))
                ++i;
            if (!line.empty() && line.back() != ' ') line += ' ';
        } else {
            line += c;
        }
    }
    return line;
}

} // namespace

void ConsoleHost::Reload()
{
    LoadedIcons loaded = LoadFileIcons(current_.fileName, sizing_, BuiltInFileTypeIcons());
    current_.icons = std::move(loaded.icons);
    current_.associated = loaded.associated;
    current_.sourceChanged = loaded.sourceChanged;
    current_.itemWidth = current_.itemHeight = IconSizeFor(sizing_);
    // The column count is the grid's when the file was opened, before any switch to small icons.
    settings_.columnCount = ColumnCountFor(DefaultGridColumns(openedSizing_), static_cast<int>(current_.icons.size()));
    loaded_ = true;
}

const CurrentIcons& ConsoleHost::Current()
{
    if (!loaded_ && !current_.fileName.empty()) Reload();
    return current_;
}

// The columns of the window's grid in its default layout at the current icon size.
int ConsoleHost::DefaultGridColumns(IconSizing sizing) const
{
    IconGridModel grid;
    grid.SetIconSizing(sizing);
    grid.SetWidth(kDefaultGridWidth);
    return grid.ColCount();
}

void ConsoleHost::SelectFile(const std::string& fileName)
{
    current_ = CurrentIcons{};
    current_.fileName = fileName;
    current_.itemWidth = current_.itemHeight = IconSizeFor(sizing_);
    openedSizing_ = sizing_;
    loaded_ = false;
}

void ConsoleHost::SetSmallIcons()
{
    if (sizing_ == IconSizing::Small) return;
    sizing_ = IconSizing::Small;
    current_.itemWidth = current_.itemHeight = IconSizeFor(sizing_);
    loaded_ = false;
}

int ConsoleHost::SaveIcon(int iconIndex, const std::string& fileName, OutputKind fileType, bool grayScale)
{
    // Icon files are written from the file's groups; only pictures need the decoded icons.
    const bool picture = IsPictureFormat(fileType);
    return glyphora::SaveIcon(picture ? Current() : current_, iconIndex, fileName, fileType, grayScale);
}

void ConsoleHost::SaveAllAsOne(const std::string& fileName, OutputKind destType, bool grayScale)
{
    // The picture has the geometry of the window's grid in its default layout.
    const CurrentIcons& current = Current();
    if (current.sourceChanged) throw GlyphoraError(SourceChangedText(current.fileName));
    IconGridModel grid;
    grid.SetIconSizing(sizing_);
    grid.SetWidth(kDefaultGridWidth);
    grid.LoadIcons(static_cast<int>(current.icons.size()));
    glyphora::SaveAllAsOne(grid, current.icons, fileName, destType, grayScale);
}

void ConsoleHost::SaveAll(const SaveAllRequest& request, int& saveCount, DialogAnswer& confirmResult)
{
    SaveAllProgress progress;
    if (showProgress_)
        progress = [this](int done, int total) {
            err_ << "\rSaving icon " << done << " of " << total << (done == total ? "\n" : "") << std::flush;
        };
    // The HTML page takes the grid's column count, which depends on the icons it shows; the
    // other kinds read their icons from the source themselves.
    SaveAllRequest withColumns = request;
    const bool needsIcons = request.srcFileName.empty() || request.fileType == OutputKind::Html;
    if (needsIcons) Current();
    withColumns.columnCount = settings_.columnCount;
    glyphora::SaveAll(current_, withColumns, saveCount, confirmResult, progress);
}

void ConsoleHost::OpenSavedFile(const std::string& fileName, const std::string& ext)
{
    glyphora::OpenSavedFile(fileName, ext);
}

void ConsoleHost::ShowError(const std::string& text)
{
    err_ << "glyphora-cli: " << OneLine(text) << '\n';
}

void ConsoleHost::ShowWarning(const std::string& text)
{
    err_ << "glyphora-cli: warning: " << OneLine(text) << '\n';
}

void ConsoleHost::ShowInformation(const std::string& text)
{
    out_ << text << '\n';
}

} // namespace glyphora
