# dk_add_areas(): adds every sub-folder of the current folder that has a CMakeLists.txt, so each
# area of the code (core, drivers, imaging, skin, ...) keeps its tests, benchmarks and fuzz
# targets in a folder of its own.
function(dk_add_areas)
  file(GLOB lists CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
  list(SORT lists)
  foreach(list_file ${lists})
    get_filename_component(dir ${list_file} DIRECTORY)
    add_subdirectory(${dir})
  endforeach()
endfunction()
