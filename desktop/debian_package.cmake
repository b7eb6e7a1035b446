# The Debian package, made by `cpack -G DEB` (scripts/package deb):
# orvelplan_<version>_amd64.deb. Its library dependencies are found by
# dpkg-shlibdeps from what the program and the window module link; only what
# no linked library tells (a font for the window, the viewer launcher) is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvelplan)
set(CPACK_PACKAGE_VENDOR "The Orvel Planner developers")
set(CPACK_PACKAGE_CONTACT "The Orvel Planner developers <orvelplan@orvel.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL https://www.orvel.example/)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "printable one-page year calendar maker")
set(CPACK_PACKAGE_DESCRIPTION
    "Orvel Planner makes a one-page calendar of a whole year as a PDF file,\n"
    "ready to print: from a small window (pick a year, three or two months per\n"
    "row and the weekday that ends each week) or from the command line, for any\n"
    "year from 1 to 9999, as PDF or as a text page.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

# The first Debian revision of each release; desktop/changelog.Debian says
# what changed in it.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core | fonts-liberation2")
# --language takes month and weekday names from the system's locale data; a
# desktop has only its own locale generated, so the others come from locales-all.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, locales-all")
# The modules in lib/orvelplan/ are the program's own, loaded by path: the
# dynamic linker's cache never holds them, so no maintainer script runs
# ldconfig. CPack writes those scripts for anything under lib/ unless the
# package names its own; these names stand for "none" and are never created.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_BINARY_DIR}/no-maintainer-scripts/postinst ${CMAKE_BINARY_DIR}/no-maintainer-scripts/postrm)

# Debian keeps the licence as doc/<package>/copyright and wants a changelog;
# both are put into the staged tree just before it is packed.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/debian_doc_files.cmake)
set(CPACK_ORVEL_LICENSE_FILE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_ORVEL_DEBIAN_CHANGELOG ${CMAKE_CURRENT_LIST_DIR}/changelog.Debian)
set(CPACK_ORVEL_DOC_DIR ${CMAKE_INSTALL_DOCDIR})

include(CPack)
