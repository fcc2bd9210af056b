// The HTML page of a save-all run. UTF-8 with a byte order mark, CR LF line breaks; one cell
// per saved icon, a row break after every ColumnCount-th icon, filler cells closing an open
// last row.
#include "export/HtmlExport.h"

#include "export/ExportFile.h"

#include <algorithm>

namespace glyphora {

namespace fs = std::filesystem;

namespace {

constexpr const char* kEol = "\r\n";

class HtmlDocument final : public SaveAllDocument {
public:
    explicit HtmlDocument(const SaveAllContext& context)
        : request_(*context.request),
          columns_(std::max(1, context.request->columnCount)), // a page needs at least one column
          iconCount_(context.iconCount),
          width_(context.iconWidth),
          height_(context.iconHeight),
          folderName_(context.request->destDir.filename().string()),
          file_(HtmlDocumentPath(context.request->destDir, context.documentExt), context.request->freeSpace)
    {
        std::string head = "\xEF\xBB\xBF";
        head += "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">" + std::string(kEol);
        head += "<html>" + std::string(kEol) + "<head>" + kEol;
        head += "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">" + std::string(kEol);
        head += "<title>Icons from " + HtmlEscape(context.sourceFile.string()) + "</title>" + kEol;
        head += "<style>" + std::string(kEol);
        if (request_.drawBorders) head += "table, th, td {border: 1px solid black;}" + std::string(kEol);
        head += "td {text-align: center;}" + std::string(kEol);
        head += "</style>" + std::string(kEol) + "</head>" + kEol;
        head += "<body>" + std::string(kEol);
        head += "<table>" + std::string(kEol) + "<tr>" + kEol;
        file_.Write(head);
        rowOpen_ = true;
    }

    bool NeedsRenderedIcon() const override { return true; }

    void AddIcon(int index, const IconHandle&, const Bitmap&, const fs::path& pictureFile) override
    {
        const std::string number = std::to_string(index + 1);
        const std::string url = UrlPathSegment(folderName_) + "/" + UrlPathSegment(pictureFile.filename().string());
        std::string cell = "<td><img src=\"" + HtmlEscape(url) + "\" width=\"" + std::to_string(width_) +
                           "\" height=\"" + std::to_string(height_) + "\"alt=\"" + number + "\">";
        if (request_.includeNumbers) cell += "<br>" + number;
        cell += "</td>" + std::string(kEol);
        if ((index + 1) % columns_ == 0) {
            cell += "</tr>" + std::string(kEol);
            rowOpen_ = false;
            if (index + 1 < iconCount_) {
                cell += "<tr>" + std::string(kEol);
                rowOpen_ = true;
            }
        }
        file_.Write(cell);
    }

    void Finish(int saveCount) override
    {
        std::string tail;
        if (rowOpen_) {
            const long long end = (static_cast<long long>(iconCount_) / columns_ + 1) * columns_;
            for (long long k = saveCount; k < end; ++k)
                tail += "<td>&nbsp;</td>";
            tail += "</tr>" + std::string(kEol);
        }
        tail += "</table>" + std::string(kEol) + "</body>" + kEol + "</html>";
        file_.Write(tail);
        file_.Close();
    }

private:
    const SaveAllRequest& request_;
    int columns_;
    int iconCount_;
    int width_;
    int height_;
    std::string folderName_;
    ExportFile file_;
    bool rowOpen_ = false;
};

} // namespace

fs::path HtmlDocumentPath(const fs::path& pictureFolder, const std::string& documentExt)
{
    std::string folder = pictureFolder.string();
    constexpr std::string_view kSuffix = "_files";
    if (folder.size() >= kSuffix.size() && folder.compare(folder.size() - kSuffix.size(), kSuffix.size(), kSuffix) == 0)
        folder.erase(folder.size() - kSuffix.size());
    return fs::path(folder + documentExt);
}

std::string HtmlEscape(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string UrlPathSegment(const std::string& name)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(name.size());
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        const bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                                (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' ||
                                byte == '~';
        if (unreserved) {
            out += c;
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        }
    }
    return out;
}

std::unique_ptr<SaveAllDocument> CreateHtmlDocument(const SaveAllContext& context)
{
    return std::make_unique<HtmlDocument>(context);
}

} // namespace glyphora
