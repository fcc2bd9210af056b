// The find pane's room in the window.
#include "settings/Settings.h"

namespace glyphora {

void ClampFindPane(FindPaneSettings& pane, int clientHeight, int paneClientWidth)
{
    using Limits = FindPaneSettings;
    const int maxHeight = clientHeight - Limits::kMinimumHeight - Limits::kSplitterThickness - Limits::kStatusBarHeight;
    if (pane.height < Limits::kMinimumHeight)
        pane.height = Limits::kMinimumHeight;
    else if (pane.height > maxHeight)
        pane.height = maxHeight;
    const int maxWidth = paneClientWidth - Limits::kMinimumFileWidth - Limits::kSplitterThickness;
    if (pane.filePanelWidth < Limits::kMinimumFileWidth)
        pane.filePanelWidth = Limits::kMinimumFileWidth;
    else if (pane.filePanelWidth > maxWidth)
        pane.filePanelWidth = maxWidth;
}

} // namespace glyphora
