# What the Windows build ships beside orvelplan.exe: README.txt for Windows
# users, LICENSE.txt and the licence texts of the libraries linked in
# (licences\<library>.txt), all with CR LF line ends, and the installer made by
# makensis (Debian's nsis): orvelplan-<version>-windows-x86_64-setup.exe.
# scripts/package windows puts all but the installer into the zip archive.
find_program(MAKENSIS makensis)
if(NOT MAKENSIS)
  message(FATAL_ERROR "makensis makes the Windows installer: install nsis (scripts/setup --windows does)")
endif()

set(ORVEL_WINDOWS_README ${PROJECT_BINARY_DIR}/README.txt)
set(ORVEL_WINDOWS_LICENSE ${PROJECT_BINARY_DIR}/LICENSE.txt)
configure_file(${CMAKE_CURRENT_LIST_DIR}/windows/README.txt.in ${ORVEL_WINDOWS_README} @ONLY NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${ORVEL_WINDOWS_LICENSE} @ONLY NEWLINE_STYLE CRLF)

# scripts/windows-deps gathers the texts into its prefix, beside the libraries'
# headers. They are copied as they are (not configured: a text may hold @s),
# through a staging copy so that the shipped one changes only with its text
# and the installer is not remade at every configure.
get_filename_component(library_licences ${HPDF_INCLUDE_DIR}/../share/licences ABSOLUTE)
set(ORVEL_WINDOWS_LICENCES)
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/licences)
set(ORVEL_INSTALL_LICENCES "CreateDirectory \"$INSTDIR\\licences\"")
set(ORVEL_UNINSTALL_LICENCES)
foreach(library fribidi libharu libical mingw-w64 zlib)
  set(source ${library_licences}/${library}.txt)
  if(NOT EXISTS ${source})
    message(FATAL_ERROR "${source} is missing: scripts/setup --windows gathers the libraries' licences")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  file(READ ${source} text)
  string(REPLACE "\n" "\r\n" text "${text}")
  set(shipped ${PROJECT_BINARY_DIR}/licences/${library}.txt)
  file(WRITE ${PROJECT_BINARY_DIR}/CMakeFiles/licences/${library}.txt "${text}")
  file(COPY_FILE ${PROJECT_BINARY_DIR}/CMakeFiles/licences/${library}.txt ${shipped} ONLY_IF_DIFFERENT)
  list(APPEND ORVEL_WINDOWS_LICENCES ${shipped})
  string(APPEND ORVEL_INSTALL_LICENCES "\n  File \"/oname=licences\\${library}.txt\" \"${shipped}\"")
  string(APPEND ORVEL_UNINSTALL_LICENCES "  Delete \"$INSTDIR\\licences\\${library}.txt\"\n")
endforeach()

# The icon the platform layer makes for the executable's resources.
set(ORVEL_ICON ${PROJECT_BINARY_DIR}/platform/win32/orvelplan.ico)
set(ORVEL_INSTALLER ${PROJECT_BINARY_DIR}/orvelplan-${PROJECT_VERSION}-windows-x86_64-setup.exe)
# The script names the built executable, so it is written in two steps: the
# configured values, then the executable's path once the build knows it.
set(ORVEL_INSTALLER_SCRIPT ${PROJECT_BINARY_DIR}/orvelplan.nsi)
configure_file(${CMAKE_CURRENT_LIST_DIR}/windows/orvelplan.nsi.in ${PROJECT_BINARY_DIR}/orvelplan.nsi.configured @ONLY)
file(GENERATE OUTPUT ${ORVEL_INSTALLER_SCRIPT} INPUT ${PROJECT_BINARY_DIR}/orvelplan.nsi.configured)

add_custom_command(
  OUTPUT ${ORVEL_INSTALLER}
  COMMAND ${MAKENSIS} -V2 ${ORVEL_INSTALLER_SCRIPT}
  DEPENDS orvelplan ${ORVEL_INSTALLER_SCRIPT} ${ORVEL_WINDOWS_README} ${ORVEL_WINDOWS_LICENSE} ${ORVEL_WINDOWS_LICENCES}
  COMMENT "Making the installer"
  VERBATIM)
add_custom_target(orvelplan_installer ALL DEPENDS ${ORVEL_INSTALLER})
