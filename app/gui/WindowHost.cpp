// The window's host of the command-line driver.
#include "app/gui/WindowHost.h"

#include "app/gui/MainWindow.h"
#include "export/OpenSavedFile.h"
#include "export/SaveAll.h"
#include "export/SaveAllAsOne.h"
#include "export/SaveIcon.h"

#include <QApplication>

#include <iostream>

namespace glyphora {

bool WindowHost::IsFirstStart() const
{
    return window_.settings().run == 1;
}

// The very first start opens the help contents.
void WindowHost::RunHelp()
{
    window_.showHelpContents();
}

void WindowHost::SelectFile(const std::string& fileName)
{
    window_.SelectFile(fileName);
}

// The grid switches to small icons; the menu check and the setting stay as they are.
void WindowHost::SetSmallIcons()
{
    window_.gridView()->grid()->SetIconSizing(IconSizing::Small);
}

int WindowHost::SaveIcon(int iconIndex, const std::string& fileName, OutputKind fileType, bool grayScale)
{
    return glyphora::SaveIcon(window_.gridView()->grid()->Current(), iconIndex, fileName, fileType, grayScale);
}

void WindowHost::SaveAllAsOne(const std::string& fileName, OutputKind destType, bool grayScale)
{
    const IconGrid* grid = window_.gridView()->grid();
    glyphora::SaveAllAsOne(grid->Model(), grid->Current().icons, fileName, destType, grayScale);
}

void WindowHost::SaveAll(const SaveAllRequest& request, int& saveCount, DialogAnswer& confirmResult)
{
    SaveAllRequest withColumns = request;
    withColumns.columnCount = window_.exportSettings().columnCount;
    withColumns.questions = &window_.dialogs();
    glyphora::SaveAll(window_.gridView()->grid()->Current(), withColumns, saveCount, confirmResult);
}

void WindowHost::OpenSavedFile(const std::string& fileName, const std::string& ext)
{
    glyphora::OpenSavedFile(fileName, ext);
}

void WindowHost::ShowError(const std::string& text)
{
    window_.dialogs().Show(text, MessageIcon::Error, MessageButtons::Ok);
}

void WindowHost::ShowInformation(const std::string& text)
{
    window_.dialogs().Show(text, MessageIcon::Information, MessageButtons::Ok);
}

// A warning does not stop the run and needs no answer: it goes to the console the window was
// started from, as the console front end prints it.
void WindowHost::ShowWarning(const std::string& text)
{
    std::cerr << "glyphora: warning: " << text << '\n';
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
