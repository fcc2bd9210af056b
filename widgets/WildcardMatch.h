// Whole-text wildcard matching for list filters: "*" any run, "?" one character, "[...]" one
// character of a set with ranges ("a-z") and negation ("[^...]"); everything else, case
// included, matches itself. A malformed set (empty, starting with "[" or "]", or unclosed)
// fails the whole match, and a set never matches past the end of the text.
#pragma once

#include <QStringView>

namespace glyphora {

bool MatchesWildcard(QStringView pattern, QStringView text);

} // namespace glyphora
