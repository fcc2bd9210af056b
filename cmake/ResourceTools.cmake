# llvm-rc and lld-link, which turn our resource scripts into resource-only modules (the
# sample modules and the module form of the language packs).
find_program(GLYPHORA_LLVM_RC NAMES llvm-rc llvm-rc-14)
find_program(GLYPHORA_LLD_LINK NAMES lld-link lld-link-14)
foreach(tool GLYPHORA_LLVM_RC GLYPHORA_LLD_LINK)
  if(NOT ${tool})
    message(FATAL_ERROR "${tool} not found: building resource modules needs llvm-rc and lld-link. "
      "Run scripts/install-deps.sh (as root) to install them.")
  endif()
endforeach()
