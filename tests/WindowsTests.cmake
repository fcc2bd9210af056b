# The tests of the Windows cross build (included by the top-level CMakeLists.txt when it
# cross-builds for Windows; scripts/build-windows.sh runs them). Two executables run under
# Wine: WindowsCoreTests, the core tests as they are on Linux less the few below that need
# POSIX-only things, and WindowsAdapterTests, the tests of platform/windows/ that only make
# sense there. The fixtures (the sample modules, the module packs) come from the Linux build
# in GLYPHORA_HOST_BUILD_DIR, whose folders Wine shows on its drive Z:.
if(NOT IS_DIRECTORY "${GLYPHORA_HOST_BUILD_DIR}/samples")
  message(FATAL_ERROR "GLYPHORA_HOST_BUILD_DIR must name the Linux build folder, whose samples/ the Windows "
    "tests read (scripts/build-windows.sh passes it); got '${GLYPHORA_HOST_BUILD_DIR}'.")
endif()

# GoogleTest from Debian's libgtest-dev sources, built for the target like the rest.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

find_program(GLYPHORA_WINE wine REQUIRED)

# Core test sources that do not run on Windows, each with why. A source is left out whole;
# everything else of the Linux core suite runs.
set(GLYPHORA_POSIX_ONLY_TESTS
  # They start glyphora-cli and read its output through a POSIX shell (tests/support/RunTool);
  # the Windows program is compared with the Linux one by tests/windows/compare-with-linux.sh.
  app/cli/CliConcurrencyTest.cpp app/cli/CliExportTest.cpp app/cli/CliFailureTest.cpp
  app/cli/CliFullDiskTest.cpp app/cli/CliNeModuleTest.cpp app/cli/CliSaveAllTest.cpp
  app/cli/CliScanTest.cpp app/cli/CliXlsxTest.cpp
  # The freedesktop thumbnailer, man pages and bash completion exist only on Linux.
  app/thumbnailer/ThumbnailerTest.cpp packaging/BashCompletionTest.cpp packaging/ManPagesTest.cpp
  # They check the output with Linux programs (qpdf, pdftoppm, icotool, iconv, Python with
  # Pillow or dbfread) started through a POSIX shell, which a Windows program cannot start.
  support/RunTool.cpp pdf/PdfTestSupport.cpp pdf/PdfDocumentTest.cpp pdf/PdfTextBoxTest.cpp
  pdf/PdfExternalReadersTest.cpp export/DbaseExportTest.cpp export/IconSetTest.cpp
  export/PdfExportTest.cpp export/PillowDecodeTest.cpp i18n/HelpTextTest.cpp settings/SettingsStorageTest.cpp
  # They set the user's language through LC_ALL / LANG, which are POSIX's; Windows gives the
  # user's language through its own call (tests/windows/ tests that adapter).
  formats/ModuleResourcesTest.cpp i18n/ModulePackTest.cpp
  # A full disk simulated by RLIMIT_FSIZE (tests/support/FileSizeLimit.h); the Windows tests
  # simulate it by the adapter's free space instead.
  platform/AtomicWriteTest.cpp
  # An unwritable folder that holds only for a user who is not root (geteuid), a FIFO in
  # the scanned folder (mkfifo), programs run through a POSIX shell (sys/wait.h).
  platform/SettingsLocationTest.cpp scan/FolderScanTest.cpp samples/SampleModuleTest.cpp
)

# Single tests of the core suite that check a POSIX behaviour Windows does not share.
set(GLYPHORA_POSIX_ONLY_TEST_CASES
  # The last fallback of the temp folder is TMPDIR, then /tmp; Windows has GetTempPath.
  TempFolderTest.TmpThenTempThenSystem
  # File names that differ only in letter case name one file on Windows.
  OpenSavedFileTest.FindsTheNameTheSaveCompleted
  # A source name with '?', which a Windows file name cannot hold.
  HtmlUrlTest.PicturesOfASourceWithAwkwardNamesAreLinkedPercentEncoded
)
string(REPLACE ";" ":" posix_only_filter "${GLYPHORA_POSIX_ONLY_TEST_CASES}")

file(GLOB_RECURSE windows_core_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.cpp)
list(FILTER windows_core_sources EXCLUDE REGEX "/tests/(.*/)?qt/|/tests/widgets/|/tests/windows/")
foreach(excluded ${GLYPHORA_POSIX_ONLY_TESTS})
  list(REMOVE_ITEM windows_core_sources ${CMAKE_CURRENT_SOURCE_DIR}/tests/${excluded})
endforeach()

# A private Wine prefix in the build folder, made once (wineboot takes half a minute); the
# tests then start in a few seconds.
set(GLYPHORA_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
# LC_ALL=C.UTF-8: the same user language (US English) on every machine, and UTF-8 for the
# names Wine gives the files it creates, so that every Windows name can reach the disk.
set(wine_environment WINEPREFIX=${GLYPHORA_WINEPREFIX} WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= LC_ALL=C.UTF-8)
add_test(NAME Windows.WinePrefix
  COMMAND ${CMAKE_COMMAND} -E env ${wine_environment} sh -c
    "test -f '${GLYPHORA_WINEPREFIX}/system.reg' || wine wineboot -i")
set_tests_properties(Windows.WinePrefix PROPERTIES FIXTURES_SETUP wine_prefix TIMEOUT 300)

# glyphora_windows_test_executable(NAME [FILTER gtest-filter] SOURCES source...)
function(glyphora_windows_test_executable name)
  cmake_parse_arguments(ARG "" "FILTER" "SOURCES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE glyphora_core GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    GLYPHORA_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    GLYPHORA_BUILD_DIR="${GLYPHORA_HOST_BUILD_DIR}"
    GLYPHORA_CLI_PATH="$<TARGET_FILE:glyphora-cli>"
    GLYPHORA_THUMBNAILER_PATH="")
  # The tests are compiled for a quick build rather than a quick run: they run for seconds.
  target_compile_options(${name} PRIVATE -O0 -g0)
  glyphora_warnings(${name})
  add_dependencies(${name} glyphora-cli)
  # One CTest test per executable: starting Wine for each of hundreds of tests would cost
  # more than the tests.
  add_test(NAME Windows.${name}
    COMMAND ${CMAKE_COMMAND} -E env ${wine_environment} ${GLYPHORA_WINE} $<TARGET_FILE:${name}>
      --gtest_filter=${ARG_FILTER})
  set_tests_properties(Windows.${name} PROPERTIES FIXTURES_REQUIRED wine_prefix TIMEOUT 600)
endfunction()

glyphora_windows_test_executable(WindowsCoreTests FILTER "*-${posix_only_filter}" SOURCES ${windows_core_sources})

# The Windows program against the Linux one: the same files for the sample's exports, the
# same status and lines for the failure table.
find_program(GLYPHORA_UNZIP unzip REQUIRED)
add_test(NAME Windows.SameOutputAsLinux
  COMMAND ${CMAKE_COMMAND} -E env ${wine_environment}
    bash ${CMAKE_SOURCE_DIR}/tests/windows/compare-with-linux.sh ${GLYPHORA_HOST_BUILD_DIR}/glyphora-cli
      $<TARGET_FILE:glyphora-cli> ${GLYPHORA_HOST_BUILD_DIR}/samples/glyphora-sample.dll
      ${CMAKE_BINARY_DIR}/compare-with-linux)
set_tests_properties(Windows.SameOutputAsLinux PROPERTIES FIXTURES_REQUIRED wine_prefix TIMEOUT 300)

# The tests of the Windows adapters, which only make sense on Windows.
file(GLOB windows_adapter_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/windows/*.cpp)
glyphora_windows_test_executable(WindowsAdapterTests FILTER "*" SOURCES ${windows_adapter_sources})
