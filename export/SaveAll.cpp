// The save-all engine.
#include "export/SaveAll.h"

#include "export/ImageWriters.h"
#include "export/OutputKind.h"
#include "export/SaveAllDocument.h"
#include "export/SaveIcon.h"
#include "export/SaveProblems.h"
#include "i18n/LanguagePack.h"
#include "i18n/TextFormat.h"
#include "i18n/TextIds.h"
#include "iconengine/IconExtraction.h"
#include "iconengine/IconSources.h"
#include "platform/AsciiText.h"
#include "platform/AtomicFile.h"
#include "platform/Files.h"
#include "platform/GlyphoraError.h"
#include "platform/MessageDialogs.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <system_error>

namespace glyphora {

namespace fs = std::filesystem;

namespace {

// The format of the per-icon pictures: the kind's own, or the HTML page's picture type.
OutputKind PictureKind(const SaveAllRequest& r)
{
    if (r.fileType == OutputKind::Html) return HtmlPictureKind(r.targetImageType);
    return r.fileType;
}

bool IsModuleOrIconExtension(const std::string& ext)
{
    return IsModuleExtension(ext) || ext == ".ico";
}

// Asks before replacing an existing file, unless the request replaces without asking or an
// earlier answer holds for all. Returns false when the file must be skipped.
bool MayWrite(const SaveAllRequest& request, const fs::path& target, DialogAnswer& answer, DialogAnswer& confirmResult)
{
    if (request.overwrite == OverwritePolicy::Replace || !fs::exists(target)) return true;
    MessageDialogs& questions = request.questions ? *request.questions : ConsoleMessageDialogs();
    if (answer != DialogAnswer::NoToAll && answer != DialogAnswer::YesToAll)
        answer = questions.Show(FormatText(LangString(kTextOverwriteQuestion), target.string()), MessageIcon::Question,
                                MessageButtons::YesNoNoToAllYesToAll);
    if (answer == DialogAnswer::NoToAll || answer == DialogAnswer::YesToAll) confirmResult = answer;
    return answer != DialogAnswer::No && answer != DialogAnswer::NoToAll;
}

// True when some icon of the first count icons of source decodes. Icons are decoded one by
// one and only until the first one that does, so an icon-file save does not decode them all.
bool AnyIconDecodes(const fs::path& source, int size, int count)
{
    for (int i = 0; i < count; ++i) {
        const auto icons = ExtractFileIcons(source, size, i, 1);
        if (!icons.empty() && !icons.front().isNull()) return true;
    }
    return false;
}

// The folder the per-icon files go to, created (one level) only when the first file is about
// to be written, and removed again when nothing landed in it after all (the write failed,
// or the icon had nothing to write).
class TargetFolder {
public:
    explicit TargetFolder(fs::path folder) : folder_(std::move(folder)) {}
    TargetFolder(const TargetFolder&) = delete;
    TargetFolder& operator=(const TargetFolder&) = delete;
    ~TargetFolder()
    {
        if (!created_) return;
        std::error_code ec;
        if (fs::is_empty(folder_, ec) && !ec) fs::remove(folder_, ec);
    }

    // Raises when the name is taken by something that is not a folder.
    void CheckUsable() const
    {
        std::error_code ec;
        if (!folder_.empty() && fs::exists(folder_, ec) && !fs::is_directory(folder_, ec))
            throw OutputError("Cannot create the folder '" + folder_.string() +
                              "': a file of that name is in the way.");
    }

    void Ensure()
    {
        if (folder_.empty() || created_ || DirectoryExists(folder_)) return;
        std::error_code ec;
        fs::create_directory(folder_, ec);
        if (ec) throw OutputError("Cannot create the folder '" + folder_.string() + "': " + ec.message());
        created_ = true;
    }

private:
    fs::path folder_;
    bool created_ = false;
};

} // namespace

std::string SaveAllFileName(const fs::path& source, int iconNumber, const std::string& extension)
{
    std::string ext = LowerExtension(source);
    if (!ext.empty()) ext.erase(0, 1);
    const std::string stem = AsciiLower(source.stem().string()) + "_" + ext;
    char number[16];
    std::snprintf(number, sizeof number, "%04d", iconNumber);
    return "ico_" + stem + number + extension;
}

SaveAllSummary SaveAll(const CurrentIcons& current, const SaveAllRequest& request, int& saveCount,
                       DialogAnswer& confirmResult, const SaveAllProgress& progress)
{
    SaveAllSummary summary;
    const OutputKind kind = request.fileType;
    const std::string pictureExt =
        kind == OutputKind::Icon ? std::string(".ico") : "." + std::string(OutputKindExtension(PictureKind(request)));
    std::string documentExt = AsciiLower(request.destExt);
    if (documentExt.empty()) documentExt = "." + std::string(OutputKindExtension(request.fileType));
    DialogAnswer answer = confirmResult;

    // The source and its icons: the grid's for the current file, else extracted anew. Icon
    // files are written from the groups, so for them the handles are only counted and one
    // decoded to see that there is something to save.
    const bool currentFile = request.srcFileName.empty();
    const fs::path source = currentFile ? current.fileName : request.srcFileName;
    if (currentFile && current.sourceChanged) throw GlyphoraError(SourceChangedText(source));
    const int size = request.small ? kSmallIconSize : kLargeIconSize;
    const int iconWidth = currentFile ? current.itemWidth : size;
    const int iconHeight = currentFile ? current.itemHeight : size;
    std::vector<IconHandle> extracted;
    int count = 0;
    bool anyHandle = false;
    if (currentFile) {
        count = static_cast<int>(current.icons.size());
        anyHandle =
            std::any_of(current.icons.begin(), current.icons.end(), [](const IconHandle& h) { return !h.isNull(); });
    } else if (kind == OutputKind::Icon) {
        count = CountFileIcons(source);
        anyHandle = AnyIconDecodes(source, size, count);
    } else if (CountFileIcons(source) > 0) {
        ExtractedIcons icons = ExtractFileIconsChecked(source, size);
        if (icons.sourceChanged) throw GlyphoraError(SourceChangedText(source));
        extracted = std::move(icons.icons);
        count = static_cast<int>(extracted.size());
        anyHandle = std::any_of(extracted.begin(), extracted.end(), [](const IconHandle& h) { return !h.isNull(); });
    }
    const std::vector<IconHandle>& icons = currentFile ? current.icons : extracted;

    const std::string sourceExt = LowerExtension(source);
    if (!anyHandle && IsModuleOrIconExtension(sourceExt)) return summary;
    summary.icons = count;

    const bool perIconFiles = !IsSingleFileDocument(kind);
    TargetFolder folder(perIconFiles ? request.destDir : fs::path{});
    folder.CheckUsable();

    SaveAllContext context{&request, source, count, iconWidth, iconHeight, documentExt};
    std::unique_ptr<SaveAllDocument> document;
    std::optional<IconGroupSource> groups; // opened and indexed once for the whole run
    std::vector<std::string> problems;     // icons that could not be read, in order

    for (int i = 0; i < count; ++i) {
        fs::path target;
        if (perIconFiles) {
            target = request.destDir / SaveAllFileName(source, i + 1, pictureExt);
            if (!MayWrite(request, target, answer, confirmResult)) {
                ++summary.declined;
                if (progress) progress(i + 1, count);
                continue;
            }
            folder.Ensure();
        }

        bool saved = true;
        if (kind == OutputKind::Icon) {
            if (!groups) groups.emplace(source);
            const IconGroupSource::Saved group = groups->Save(i, target, request.freeSpace);
            // Once the file has changed under us, nothing more read from it can be trusted.
            if (groups->SourceChanged()) throw GlyphoraError(SourceChangedText(source));
            if (!group.problem.empty()) problems.push_back(group.problem);
            saved = group.problem.empty() && (groups->IsIconFile() || group.imageCount > 0);
        } else {
            if (!IsPictureFormat(kind) && !document) document = CreateSaveAllDocument(context);
            const bool render = IsPictureFormat(kind) || kind == OutputKind::Html || document->NeedsRenderedIcon();
            const Bitmap rendered =
                render ? RenderIconOnWhite(icons[static_cast<std::size_t>(i)], iconWidth, iconHeight, request.grayScale)
                       : Bitmap{};
            if (perIconFiles) SaveBitmapAs(rendered, target, PictureKind(request), request.freeSpace);
            if (document) document->AddIcon(i, icons[static_cast<std::size_t>(i)], rendered, target);
        }
        // An icon group that could not be written is not counted: the count reports files saved.
        if (saved) ++saveCount;
        if (progress) progress(i + 1, count);
    }
    if (document) document->Finish(saveCount);

    if (!problems.empty()) {
        std::string text = problems.front();
        if (problems.size() > 1)
            text += " (" + std::to_string(problems.size() - 1) + " more icon(s) could not be read either.)";
        throw GlyphoraError(text);
    }
    return summary;
}

} // namespace glyphora
