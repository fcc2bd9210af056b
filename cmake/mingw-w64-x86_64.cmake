# Cross build for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64-posix: the
# posix thread model, which std::thread and std::mutex need). Programs are linked statically
# (libgcc, libstdc++, winpthread), so each .exe runs on its own, also under Wine.
#
# The libraries for the target are searched only below the mingw sysroot and the folders named
# in GLYPHORA_MINGW_PREFIXES (the codecs scripts/build-windows-deps.sh builds), never in the
# host's /usr.
set(CMAKE_SYSTEM_NAME Windows)
# libjpeg-turbo's build picks its sources by this name.
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(GLYPHORA_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${GLYPHORA_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${GLYPHORA_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${GLYPHORA_MINGW_TRIPLET}-windres)
set(CMAKE_AR ${GLYPHORA_MINGW_TRIPLET}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${GLYPHORA_MINGW_TRIPLET}-gcc-ranlib-posix CACHE FILEPATH "")

# Handed on to try_compile projects, which see only the variables named here.
set(CMAKE_TRY_COMPILE_PLATFORM_VARIABLES GLYPHORA_MINGW_PREFIXES)
set(CMAKE_FIND_ROOT_PATH /usr/${GLYPHORA_MINGW_TRIPLET} ${GLYPHORA_MINGW_PREFIXES})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# zlib's static archive: FindZLIB would take the import library libz.dll.a beside it, which
# makes the program need zlib1.dll.
set(ZLIB_LIBRARY /usr/${GLYPHORA_MINGW_TRIPLET}/lib/libz.a CACHE FILEPATH "zlib for the target")

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# pkg-config (libxlsxwriter) reads only the target's .pc files, never the host's.
set(pkg_config_dirs)
foreach(prefix ${GLYPHORA_MINGW_PREFIXES})
  list(APPEND pkg_config_dirs ${prefix}/lib/pkgconfig)
endforeach()
string(REPLACE ";" ":" pkg_config_dirs "${pkg_config_dirs}")
set(ENV{PKG_CONFIG_LIBDIR} "${pkg_config_dirs}")
set(ENV{PKG_CONFIG_PATH} "")
