// The window's host of the command-line driver.
#include "app/gui/WindowHost.h"

#include "app/gui/MainWindow.h"
#include "export/OpenSavedFile.h"
#include "export/SaveAll.h"
#include "export/SaveAllAsOne.h"
#include "export/SaveIcon.h"

#include <QApplication>

namespace glyphora {

void WindowHost::SelectFile(const std::string& fileName)
{
    window_.SelectFile(fileName);
}

// The grid switches to small icons; the menu check and the setting stay as they are.
void WindowHost::SetSmallIcons()
{
    window_.ScrollBox->ImageBox()->SetIconSizing(TIconSizing::isSmall);
}

int WindowHost::SaveIcon(int iconIndex, const std::string& fileName, int fileType, bool grayScale)
{
    return glyphora::SaveIcon(window_.ScrollBox->ImageBox()->Current(), iconIndex, fileName, fileType, grayScale);
}

void WindowHost::SaveAllAsOne(const std::string& fileName, int destType, bool grayScale)
{
    const TQZImageBox* grid = window_.ScrollBox->ImageBox();
    glyphora::SaveAllAsOne(grid->Model(), grid->Current().icons, fileName, destType, grayScale);
}

void WindowHost::SaveAll(const SaveAllRequest& request, int& saveCount, std::uint16_t& confirmResult)
{
    SaveAllRequest withColumns = request;
    withColumns.columnCount = window_.Export().ColumnCount;
    glyphora::SaveAll(window_.ScrollBox->ImageBox()->Current(), withColumns, saveCount, confirmResult);
}

void WindowHost::OpenSavedFile(const std::string& fileName, const std::string& ext)
{
    glyphora::OpenSavedFile(fileName, ext);
}

void WindowHost::ShowError(const std::string& text)
{
    window_.Dialogs().Show(text, MessageIcon::Error, MessageButtons::Ok);
}

void WindowHost::ShowInformation(const std::string& text)
{
    window_.Dialogs().Show(text, MessageIcon::Information, MessageButtons::Ok);
}

void WindowHost::SetBusyCursor(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void WindowHost::Close()
{
    window_.close();
}

} // namespace glyphora
