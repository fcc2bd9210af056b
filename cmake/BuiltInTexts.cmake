# The built-in English texts: i18n/packs/english.lng compiled into the program at build time,
# so that the pack is the one place an English interface text is written. The program falls
# back on these texts before a pack is loaded and where a pack lacks a text (i18n/BuiltInTexts.h).
#
# In script mode (cmake -DPACK=... -DOUT=... -P BuiltInTexts.cmake) it writes the C++ source
# that holds the pack's bytes.
if(CMAKE_SCRIPT_MODE_FILE)
  file(READ "${PACK}" hex HEX)
  if(hex STREQUAL "")
    message(FATAL_ERROR "The English pack ${PACK} is empty.")
  endif()
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],)(0x[0-9a-f][0-9a-f],)(0x[0-9a-f][0-9a-f],)(0x[0-9a-f][0-9a-f],)(0x[0-9a-f][0-9a-f],)(0x[0-9a-f][0-9a-f],)(0x[0-9a-f][0-9a-f],)(0x[0-9a-f][0-9a-f],))" "\\1\n    " bytes "${bytes}")
  file(WRITE "${OUT}"
"// Generated at build time from i18n/packs/english.lng by cmake/BuiltInTexts.cmake.
#include <string_view>

namespace glyphora {

namespace {

const unsigned char kEnglishPack[] = {
    ${bytes}
};

} // namespace

std::string_view BuiltInPackText()
{
    return {reinterpret_cast<const char*>(kEnglishPack), sizeof kEnglishPack};
}

} // namespace glyphora
")
  return()
endif()

# Adds the generated source to target (the i18n layer, which holds i18n/BuiltInTexts.cpp).
function(glyphora_built_in_texts target)
  set(pack ${CMAKE_SOURCE_DIR}/i18n/packs/english.lng)
  set(out ${CMAKE_BINARY_DIR}/generated/BuiltInPackText.cpp)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DPACK=${pack} -DOUT=${out} -P ${CMAKE_SOURCE_DIR}/cmake/BuiltInTexts.cmake
    DEPENDS ${pack} ${CMAKE_SOURCE_DIR}/cmake/BuiltInTexts.cmake
    COMMENT "Compiling the English pack in as the built-in texts"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()
