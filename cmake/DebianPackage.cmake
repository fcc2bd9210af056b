# The Debian package: `cpack -G DEB` in the build folder packs what `cmake --install` puts
# under /usr, with the library dependencies worked out by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME glyphora)
set(CPACK_PACKAGE_VENDOR "Marrowfield Software")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "show and save the icons inside programs and icon files")
set(CPACK_PACKAGE_DESCRIPTION
  "Glyphora pulls the icons out of files: Windows executables, libraries,
controls, control-panel items, screen savers, icon files and any other
file. It shows every icon in a grid and saves one icon, all icons or all
icons composed into one picture as ICO, BMP, JPEG, EMF, GIF or PNG, and
exports the icons of a file as an HTML page, a dBase table or a PDF page.
glyphora-cli runs every export from the command line.")
set(CPACK_PACKAGE_CONTACT "Glyphora maintainers <glyphora@marrowfield.example>" CACHE STRING
  "Maintainer of the Debian package (name and e-mail address)")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_SOURCE_GENERATOR "")
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/packages)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${GLYPHORA_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The package's own files: dpkg-shlibdeps reads only the executables.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)

include(CPack)
