# dk_strip_shipped(TARGET)
#   The Windows Release builds ship their exe and dlls without symbols, which are a good third
#   of the file, and without the time of the build. The symbols are kept beside each file as
#   <file>.debug and named in it (a GNU debug link), so a debugger given a crash address of the
#   shipped file finds them. Their sections start on page boundaries in the file.
function(dk_strip_shipped target)
  if(NOT WIN32 OR NOT CMAKE_BUILD_TYPE STREQUAL "Release")
    return()
  endif()
  # The linker and objcopy would write the time of the build into the header, so the same
  # sources would never give the same file; the release files are meant to. objcopy takes its
  # time from SOURCE_DATE_EPOCH when that is set.
  target_link_options(${target} PRIVATE -Wl,--no-insert-timestamp)
  # With sections at the linker's default 512-byte steps a loader that cannot map them from the
  # file (Wine's) reads the whole file into private memory at start, the stored skins and all
  # the code the run never touches included. At page steps the sections are mapped from the file
  # and only the pages the run touches stay resident; the file grows by a few kilobytes.
  target_link_options(${target} PRIVATE -Wl,--file-alignment,4096)
  set(objcopy ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0 ${DK_MINGW_TRIPLE}-objcopy)
  set(file $<TARGET_FILE:${target}>)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${objcopy} --only-keep-debug ${file} ${file}.debug
    COMMAND ${objcopy} --strip-all --add-gnu-debuglink=${file}.debug ${file}
    VERBATIM)
endfunction()
