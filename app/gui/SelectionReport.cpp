// The selection report of the status bar.
#include "app/gui/SelectionReport.h"

#include "app/gui/UiText.h"
#include "i18n/TextFormat.h"
#include "i18n/TextIds.h"
#include "iconengine/IconGroupFacts.h"
#include "iconengine/IconRendering.h"

namespace glyphora {

SelectionStatus ReportSelection(int index, int count, const std::filesystem::path& file, const IconHandle* icon)
{
    SelectionStatus status;
    if (index < 0 || icon == nullptr) {
        status.position = std::to_string(count);
        return status;
    }
    const std::string label = ColorDepthLabel(GetColorCount(*icon));
    const std::optional<int> imageCount = GroupImageCount(file, index);
    const std::string images = imageCount ? std::to_string(*imageCount) : std::string("?");
    status.position = std::to_string(index + 1) + " / " + std::to_string(count);
    status.images = FormatText(InterfaceText(kTextStatusImageCount), images);
    status.colorDepth = FormatText(InterfaceText(kTextStatusColorDepth), label);
    return status;
}

} // namespace glyphora
