// Choice of the help viewer by system.
#include "i18n/qt/SystemHelpViewer.h"

#ifndef _WIN32
#include "i18n/qt/ChmHelpViewer.h"
#endif

namespace glyphora {

std::unique_ptr<HelpViewer> MakeSystemHelpViewer([[maybe_unused]] MessageDialogs& dialogs)
{
#ifdef _WIN32
    return MakeHtmlHelpViewer(); // the control shows its own errors
#else
    return std::make_unique<ChmHelpViewer>(dialogs);
#endif
}

} // namespace glyphora
