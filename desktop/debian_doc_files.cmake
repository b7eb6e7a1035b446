# Run by CPack on the staged tree: doc/orvelplan/LICENSE becomes Debian's
# machine-readable copyright file, and a changelog for this release is added.
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

execute_process(COMMAND date -u -R -d "${CPACK_ORVEL_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE release_date OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
file(WRITE ${doc}/changelog
"${CPACK_PACKAGE_NAME} (${CPACK_PACKAGE_VERSION}) unstable; urgency=medium

  * Release ${CPACK_PACKAGE_VERSION}.

 -- ${CPACK_PACKAGE_CONTACT}  ${release_date}
")
execute_process(COMMAND gzip -9 --no-name --force ${doc}/changelog COMMAND_ERROR_IS_FATAL ANY)
