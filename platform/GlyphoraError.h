// The one error type of the project: failures that are raised to the caller (write errors,
// an icon index past the last group, a broken argument) carry a message a user can act on.
#pragma once

#include <stdexcept>
#include <string>

namespace glyphora {

class GlyphoraError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace glyphora
