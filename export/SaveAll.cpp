// The save-all engine.
#include "export/SaveAll.h"

#include "export/ImageWriters.h"
#include "export/OutputKind.h"
#include "export/ProgramFlags.h"
#include "export/SaveAllDocument.h"
#include "export/SaveIcon.h"
#include "i18n/LanguagePack.h"
#include "i18n/TextFormat.h"
#include "i18n/TextIds.h"
#include "iconengine/IconSources.h"
#include "platform/Files.h"
#include "iconengine/IconExtraction.h"
#include "platform/MessageDialogs.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace glyphora {

namespace fs = std::filesystem;

namespace {

enum class Kind { Icons, Pictures, Html, Dbase, Pdf, Xlsx };

Kind KindOf(int fileType)
{
    if (fileType >= 1 && fileType <= 5) return Kind::Pictures;
    if (fileType == 11) return Kind::Html;
    if (fileType == 12) return Kind::Dbase;
    if (fileType == 13) return Kind::Pdf;
    if (fileType == OutputKind::Xlsx) return Kind::Xlsx;
    return Kind::Icons;
}

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// The format of the per-icon pictures: the kind's own, or the HTML page's picture type.
int PictureKind(const SaveAllRequest& r)
{
    if (KindOf(r.fileType) == Kind::Html) return TargetImageOutputKind(r.targetImageType);
    return r.fileType;
}

// The documents written as one file in the document's folder, without pictures beside them.
bool IsSingleFileDocument(Kind kind)
{
    return kind == Kind::Dbase || kind == Kind::Pdf || kind == Kind::Xlsx;
}

bool IsModuleOrIconExtension(const std::string& ext)
{
    return ext == ".exe" || ext == ".dll" || ext == ".ocx" || ext == ".ico";
}

// Asks before replacing an existing file, unless the command line runs or an earlier answer
// holds for all. Returns false when the file must be skipped.
bool MayWrite(const fs::path& target, DialogAnswer& answer, DialogAnswer& confirmResult)
{
    if (!fs::exists(target) || CommandLineActive) return true;
    if (answer != DialogAnswer::NoToAll && answer != DialogAnswer::YesToAll)
        answer = CurrentMessageDialogs().Show(FormatText(LangString(kTextOverwriteQuestion), target.string()), MessageIcon::Question,
                                              MessageButtons::YesNoNoToAllYesToAll);
    if (answer == DialogAnswer::NoToAll || answer == DialogAnswer::YesToAll) confirmResult = answer;
    return answer != DialogAnswer::No && answer != DialogAnswer::NoToAll;
}

} // namespace

std::string SaveAllFileName(const fs::path& source, int iconNumber, const std::string& extension)
{
    std::string ext = Lower(source.extension().string());
    if (!ext.empty()) ext.erase(0, 1);
    const std::string stem = Lower(source.stem().string()) + "_" + ext;
    char number[16];
    std::snprintf(number, sizeof number, "%04d", iconNumber);
    return "ico_" + stem + number + extension;
}

void SaveAll(const CurrentIcons& current, const SaveAllRequest& request, int& saveCount, DialogAnswer& confirmResult,
             const SaveAllProgress& progress)
{
    const Kind kind = KindOf(request.fileType);
    const std::string pictureExt = kind == Kind::Icons ? std::string(".ico") : "." + std::string(OutputKindExtension(PictureKind(request)));
    std::string documentExt = Lower(request.destExt);
    if (documentExt.empty()) documentExt = "." + std::string(OutputKindExtension(request.fileType));
    DialogAnswer answer = confirmResult;

    // The source and its icons: the grid's for the current file, else extracted anew.
    const bool currentFile = request.srcFileName.empty();
    const fs::path source = currentFile ? current.fileName : request.srcFileName;
    const int size = request.small ? kSmallIconSize : kLargeIconSize;
    const int iconWidth = currentFile ? current.itemWidth : size;
    const int iconHeight = currentFile ? current.itemHeight : size;
    std::vector<IconHandle> extracted;
    if (!currentFile && CountFileIcons(source) > 0) extracted = ExtractFileIcons(source, size);
    const std::vector<IconHandle>& icons = currentFile ? current.icons : extracted;
    const int count = static_cast<int>(icons.size());

    if (!IsSingleFileDocument(kind) && !request.destDir.empty() && !DirectoryExists(request.destDir))
        CreateFolder(request.destDir);
    const bool anyHandle = std::any_of(icons.begin(), icons.end(), [](const IconHandle& h) { return !h.isNull(); });
    const std::string sourceExt = LowerExtension(source);
    if (!anyHandle && IsModuleOrIconExtension(sourceExt)) return;

    SaveAllContext context{&request, source, count, iconWidth, iconHeight, documentExt};
    std::unique_ptr<SaveAllDocument> document;
    const bool perIconFiles = kind == Kind::Icons || kind == Kind::Pictures || kind == Kind::Html;

    for (int i = 0; i < count; ++i) {
        fs::path target;
        if (perIconFiles) {
            target = request.destDir / SaveAllFileName(source, i + 1, pictureExt);
            if (!MayWrite(target, answer, confirmResult)) {
                if (progress) progress(i + 1, count);
                continue;
            }
        }

        bool saved = true;
        if (kind == Kind::Icons) {
            if (sourceExt == ".ico") {
                saved = CopyFileReplace(source, target).empty();
            } else {
                int imageCount = 0;
                std::string errorText;
                ExtractIconGroup(source, target, i, imageCount, errorText);
                saved = errorText.empty() && imageCount > 0;
            }
        } else {
            if (kind != Kind::Pictures && !document) document = CreateSaveAllDocument(context);
            const bool render = kind == Kind::Pictures || kind == Kind::Html || document->NeedsRenderedIcon();
            const Bitmap rendered = render ? RenderIconOnWhite(icons[static_cast<std::size_t>(i)], iconWidth, iconHeight,
                                                               request.grayScale)
                                           : Bitmap{};
            if (perIconFiles) SaveBitmapAs(rendered, target, PictureKind(request));
            if (document) document->AddIcon(i, icons[static_cast<std::size_t>(i)], rendered, target);
        }
        // An icon group that could not be written is not counted: the count reports files saved.
        if (saved) ++saveCount;
        if (progress) progress(i + 1, count);
    }
    if (document) document->Finish(saveCount);
}

} // namespace glyphora
