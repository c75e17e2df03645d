# Adds each listed folder that holds a CMakeLists.txt, so areas of the
# project can grow their own targets without touching a shared list.
function(ondra_add_subdirs)
  foreach(dir ${ARGN})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()
