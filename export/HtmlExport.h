// The HTML page of a save-all run: a table of the icon pictures that the engine writes into
// the picture folder "<document>_files" beside the page.
#pragma once

#include "export/SaveAllDocument.h"

namespace glyphora {

std::unique_ptr<SaveAllDocument> CreateHtmlDocument(const SaveAllContext& context);

// The page's path: the picture folder without its "_files" ending, plus the extension.
std::filesystem::path HtmlDocumentPath(const std::filesystem::path& pictureFolder, const std::string& documentExt);

// Text inserted into the page with &, <, > and " written as character references.
std::string HtmlEscape(const std::string& text);

// A file or folder name as one segment of a relative URL: every byte outside the unreserved
// characters (letters, digits, "-", ".", "_", "~") percent-encoded, so that names holding
// "#", "?", "%", spaces or non-ASCII characters still lead to their file.
std::string UrlPathSegment(const std::string& name);

} // namespace glyphora
