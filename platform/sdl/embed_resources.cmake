# Writes a C++ source that holds the given files as byte arrays, each found by
# the number its file name starts with: res/101-background.bmp is resource 101.
#   cmake -DOUTPUT=<file.cpp> -DINPUTS=<file|file|...> -P embed_resources.cmake
string(REPLACE "|" ";" INPUTS "${INPUTS}")
set(arrays "")
set(entries "")
foreach(input IN LISTS INPUTS)
  get_filename_component(name "${input}" NAME)
  if(NOT name MATCHES "^([0-9]+)")
    message(FATAL_ERROR "resource file name must start with its number: ${name}")
  endif()
  set(id "${CMAKE_MATCH_1}")
  file(READ "${input}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND arrays "const std::uint8_t resource${id}[] = {${bytes}};\n")
  string(APPEND entries "    {${id}, resource${id}, sizeof resource${id}},\n")
endforeach()

file(WRITE "${OUTPUT}.tmp" "// Made by platform/sdl/embed_resources.cmake from the files under res/.
#include \"platform/sdl/resources.h\"

#include <cstddef>

namespace {
${arrays}
struct Resource {
    int id;
    const std::uint8_t* bytes;
    std::size_t size;
};
const Resource resources[] = {
${entries}    {0, nullptr, 0},
};
}  // namespace

std::span<const std::uint8_t> findResource(int id)
{
    for (const Resource& r : resources) {
        if (r.id == id && r.bytes)
            return {r.bytes, r.size};
    }
    return {};
}
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
