// A resource type or name as the test-only module builders take it: a number or a string.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace glyphora::testing {

struct ResourceId {
    ResourceId(int number) : id(static_cast<std::uint16_t>(number)) {}
    ResourceId(const char* string) : isString(true), text(string) {}
    ResourceId(std::string string) : isString(true), text(std::move(string)) {}
    bool isString = false;
    std::string text;
    std::uint16_t id = 0;

    friend bool operator==(const ResourceId& a, const ResourceId& b)
    {
        return a.isString == b.isString && (a.isString ? a.text == b.text : a.id == b.id);
    }
};

} // namespace glyphora::testing
