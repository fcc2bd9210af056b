// The console front end's host of the command-line driver.
#include "app/cli/ConsoleHost.h"

#include "export/OpenSavedFile.h"
#include "export/SaveAll.h"
#include "export/SaveAllAsOne.h"
#include "iconview/DefaultLayout.h"
#include "iconview/IconGridModel.h"
#include "export/SaveIcon.h"

#include <ostream>

namespace glyphora {

void ConsoleHost::Reload()
{
    LoadedIcons loaded = LoadFileIcons(current_.fileName, sizing_);
    current_.icons = std::move(loaded.icons);
    current_.associated = loaded.associated;
    current_.itemWidth = current_.itemHeight = IconSizeFor(sizing_);
}

// The columns of the window's grid in its default layout at the current icon size.
int ConsoleHost::DefaultGridColumns() const
{
    IconGridModel grid;
    grid.SetIconSizing(sizing_);
    grid.SetWidth(kDefaultGridWidth);
    return grid.ColCount();
}

void ConsoleHost::SelectFile(const std::string& fileName)
{
    current_.fileName = fileName;
    Reload();
    settings_.columnCount = ColumnCountFor(DefaultGridColumns(), static_cast<int>(current_.icons.size()));
}

void ConsoleHost::SetSmallIcons()
{
    if (sizing_ == IconSizing::Small) return;
    sizing_ = IconSizing::Small;
    if (!current_.fileName.empty()) Reload();
}

int ConsoleHost::SaveIcon(int iconIndex, const std::string& fileName, int fileType, bool grayScale)
{
    return glyphora::SaveIcon(current_, iconIndex, fileName, fileType, grayScale);
}

void ConsoleHost::SaveAllAsOne(const std::string& fileName, int destType, bool grayScale)
{
    // The picture has the geometry of the window's grid in its default layout.
    IconGridModel grid;
    grid.SetIconSizing(sizing_);
    grid.SetWidth(kDefaultGridWidth);
    grid.LoadIcons(static_cast<int>(current_.icons.size()));
    glyphora::SaveAllAsOne(grid, current_.icons, fileName, destType, grayScale);
}

void ConsoleHost::SaveAll(const SaveAllRequest& request, int& saveCount, DialogAnswer& confirmResult)
{
    SaveAllProgress progress;
    if (showProgress_)
        progress = [this](int done, int total) {
            err_ << "\rSaving icon " << done << " of " << total << (done == total ? "\n" : "") << std::flush;
        };
    SaveAllRequest withColumns = request;
    withColumns.columnCount = settings_.columnCount;
    glyphora::SaveAll(current_, withColumns, saveCount, confirmResult, progress);
}

void ConsoleHost::OpenSavedFile(const std::string& fileName, const std::string& ext)
{
    glyphora::OpenSavedFile(fileName, ext);
}

void ConsoleHost::ShowError(const std::string& text)
{
    err_ << text << '\n';
}

void ConsoleHost::ShowInformation(const std::string& text)
{
    out_ << text << '\n';
}

} // namespace glyphora
