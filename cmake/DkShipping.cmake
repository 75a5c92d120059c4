# dk_strip_shipped(TARGET)
#   The Windows Release builds ship their exe and dlls without symbols, which are a good third
#   of the file. The symbols are kept beside each file as <file>.debug and named in it (a GNU
#   debug link), so a debugger given a crash address of the shipped file finds them.
function(dk_strip_shipped target)
  if(NOT WIN32 OR NOT CMAKE_BUILD_TYPE STREQUAL "Release")
    return()
  endif()
  set(objcopy ${DK_MINGW_TRIPLE}-objcopy)
  set(file $<TARGET_FILE:${target}>)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${objcopy} --only-keep-debug ${file} ${file}.debug
    COMMAND ${objcopy} --strip-all --add-gnu-debuglink=${file}.debug ${file}
    VERBATIM)
endfunction()
