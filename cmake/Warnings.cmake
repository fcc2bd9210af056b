# Warning flags shared by every target of the project.
function(glyphora_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${GLYPHORA_WERROR}>:/WX>)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic
      $<$<BOOL:${GLYPHORA_WERROR}>:-Werror>)
  endif()
endfunction()
