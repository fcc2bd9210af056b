// Splits the file dialogs' filters into descriptions and patterns.
#include "app/gui/FileFilters.h"

#include "platform/AsciiText.h"

#include <utility>

namespace glyphora {
namespace {

// The filter's fields between the bars: description, patterns, description, ...
std::vector<std::string> FilterFields(const std::string& filter)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = filter.find('|', start);
        fields.push_back(filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    return fields;
}

} // namespace

std::vector<std::string> FilterDescriptions(const std::string& filter)
{
    const std::vector<std::string> fields = FilterFields(filter);
    std::vector<std::string> descriptions;
    for (std::size_t i = 0; i < fields.size(); i += 2)
        descriptions.push_back(fields[i]);
    return descriptions;
}

std::vector<std::vector<std::string>> FilterPatterns(const std::string& filter)
{
    const std::vector<std::string> fields = FilterFields(filter);
    std::vector<std::vector<std::string>> entries;
    for (std::size_t i = 1; i < fields.size(); i += 2) {
        std::vector<std::string> patterns;
        std::string pattern;
        for (const char c : fields[i] + ";") {
            if (c == ';' || c == ' ') {
                if (!pattern.empty()) patterns.push_back(AsciiLower(pattern));
                pattern.clear();
            } else {
                pattern += c;
            }
        }
        entries.push_back(std::move(patterns));
    }
    return entries;
}

} // namespace glyphora
