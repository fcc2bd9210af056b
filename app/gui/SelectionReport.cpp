// The selection report of the status bar.
#include "app/gui/SelectionReport.h"

#include "app/gui/UiText.h"
#include "i18n/TextFormat.h"
#include "i18n/TextIds.h"
#include "iconengine/IconRendering.h"
#include "iconengine/IconSources.h"

#include <exception>

namespace glyphora {

SelectionStatus ReportSelection(int index, int count, const std::filesystem::path& file, const IconHandle* icon)
{
    SelectionStatus status;
    if (index < 0 || icon == nullptr) {
        status.position = std::to_string(count);
        return status;
    }
    const std::string label = ColorDepthLabel(GetColorCount(*icon));
    int imageCount = 0;
    std::string errorText;
    try {
        ExtractIconGroup(file, {}, index, imageCount, errorText);
    } catch (const std::exception& e) {
        // A group that cannot be read (for a file shown with its file-type icon, say) counts
        // as unreadable: the panel shows "?" rather than an error box on every selection.
        errorText = e.what();
    }
    const std::string images = errorText.empty() ? std::to_string(imageCount) : std::string("?");
    status.position = std::to_string(index + 1) + " / " + std::to_string(count);
    status.images = FormatText(UiString(kTextStatusImageCount, "Images: %s"), images);
    status.colorDepth = FormatText(UiString(kTextStatusColorDepth, "%s-bit"), label);
    return status;
}

} // namespace glyphora
