# Writes OUTPUT, the definition of namedZone() over the VTIMEZONEs of
# libical's zone files in ZONE_FOLDER (Location/City.ics), sorted by name.
#   cmake -DZONE_FOLDER=... -DOUTPUT=... -P named_zones.cmake
file(GLOB_RECURSE files RELATIVE ${ZONE_FOLDER} ${ZONE_FOLDER}/*.ics)
list(SORT files)
string(CONCAT text "// Made by calendar/named_zones.cmake from libical's zone files.\n"
         "#include \"calendar/named_zone.h\"\n\n#include <algorithm>\n#include <iterator>\n#include <utility>\n\n"
         "namespace {\n\nusing Zone = std::pair<std::string_view, std::string_view>;\n"
         "constexpr Zone zones[] = {\n")
foreach(file IN LISTS files)
  file(READ ${ZONE_FOLDER}/${file} content)
  string(REGEX MATCH "BEGIN:VTIMEZONE.*END:VTIMEZONE" zone "${content}")
  if(NOT zone)
    message(FATAL_ERROR "${ZONE_FOLDER}/${file} holds no VTIMEZONE")
  endif()
  string(REPLACE "\r" "" zone "${zone}")
  string(REGEX REPLACE "\\.ics$" "" name ${file})
  string(APPEND text "    {\"${name}\", R\"zone(${zone}\n)zone\"},\n")
endforeach()
string(APPEND text "};\n\n}  // namespace\n\n"
  "std::string_view namedZone(std::string_view tzid)\n{\n"
  "    const auto found = std::lower_bound(std::begin(zones), std::end(zones), tzid,\n"
  "                                        [](const Zone& zone, std::string_view name) { return zone.first < name; });\n"
  "    return found != std::end(zones) && found->first == tzid ? found->second : std::string_view();\n}\n\n"
  "bool carriesNamedZones()\n{\n    return true;\n}\n")
file(WRITE ${OUTPUT}.new "${text}")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
