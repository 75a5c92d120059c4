# Writes a C++ source holding the given files as byte arrays, in order, as
# kButtonPictureFiles[]. Run at configure time; the files are configure dependencies.
function(dk_embed_pictures output)
  set(arrays "")
  set(spans "")
  set(i 0)
  foreach(file ${ARGN})
    file(READ ${file} hex HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(APPEND arrays "const std::uint8_t kPicture${i}[] = {${bytes}};\n")
    string(APPEND spans "    std::span<const std::uint8_t>(kPicture${i}),\n")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
    math(EXPR i "${i} + 1")
  endforeach()
  file(CONFIGURE OUTPUT ${output} CONTENT "// Generated from the button pictures; do not edit.
#include <cstdint>
#include <span>

namespace {
${arrays}}  // namespace

extern const std::span<const std::uint8_t> kButtonPictureFiles[${i}] = {
${spans}};
")
endfunction()
