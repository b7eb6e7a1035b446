# Run by CPack on the staged tree: doc/orvelplan/LICENSE becomes Debian's
# machine-readable copyright file, the Debian changelog is added, and the
# compiler's notes are taken out of the stripped programs as Debian's own
# packages have them.
set(doc ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/${CPACK_ORVEL_DOC_DIR})
if(NOT EXISTS ${doc}/LICENSE)
  message(FATAL_ERROR "no LICENSE in the staged tree at ${doc}")
endif()

# The licence is read as one text, never as a list: it holds semicolons.
file(READ ${CPACK_ORVEL_LICENSE_FILE} license)
if(NOT license MATCHES "^Copyright \\(c\\) ([^\n]*)\n\n")
  message(FATAL_ERROR "LICENSE does not start with its copyright line")
endif()
set(copyright "${CMAKE_MATCH_1}")
string(LENGTH "${CMAKE_MATCH_0}" header_length)
string(SUBSTRING "${license}" ${header_length} -1 license_text)
# Debian's format indents the licence text by one space and writes an empty
# line as " .".
string(STRIP "${license_text}" license_text)
string(REGEX REPLACE "\n\n" "\n.\n" license_text "${license_text}")
string(REGEX REPLACE "\n" "\n " license_text " ${license_text}")
file(WRITE ${doc}/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: ${CPACK_PACKAGE_NAME}
Upstream-Contact: ${CPACK_PACKAGE_CONTACT}
Source: ${CPACK_PACKAGE_HOMEPAGE_URL}

Files: *
Copyright: ${copyright}
License: Zlib
${license_text}
")
file(REMOVE ${doc}/LICENSE)

# The Debian changelog is kept by hand beside this script; its newest entry
# must be the package being made.
file(STRINGS ${CPACK_ORVEL_DEBIAN_CHANGELOG} newest LIMIT_COUNT 1)
set(expected "${CPACK_PACKAGE_NAME} (${CPACK_PACKAGE_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE}) ")
string(FIND "${newest}" "${expected}" at)
if(NOT at EQUAL 0)
  message(FATAL_ERROR "${CPACK_ORVEL_DEBIAN_CHANGELOG} starts with '${newest}': "
                      "add an entry for ${CPACK_PACKAGE_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE} at its top")
endif()
file(COPY_FILE ${CPACK_ORVEL_DEBIAN_CHANGELOG} ${doc}/changelog.Debian)
execute_process(COMMAND gzip -9 --no-name --force ${doc}/changelog.Debian COMMAND_ERROR_IS_FATAL ANY)

file(GLOB_RECURSE programs ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/bin/*
                           ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/lib/*.so)
foreach(program IN LISTS programs)
  execute_process(COMMAND objcopy --remove-section=.comment ${program} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
