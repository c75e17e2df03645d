# The game's layers and the check that its includes respect them. Each
# folder of game/ is a layer and its own library; the files directly in
# game/ are the top one, the game program. A file may include the headers
# of its own layer and of the layers listed for it, all of them lower, and
# no two modules (a header with its source) may include each other, however
# indirectly. The build runs this before compiling the game, and a test runs
# it on the tree, so a wrong-way include stops both.
#
#   cmake -DGAME_DIR=path/to/game -P layers.cmake
#
# It prints nothing when the tree is sound, else one line per fault and
# fails.
cmake_minimum_required(VERSION 3.20)

# Lowest first. A layer may include only those before it in this list.
set(layers core level_file render level effects objects sound run world game)
set(mayInclude_core)
set(mayInclude_level_file core)
set(mayInclude_render core)
set(mayInclude_level core level_file render)
set(mayInclude_effects core level_file render)
set(mayInclude_objects core level_file render level effects)
set(mayInclude_sound core level_file render level effects objects)
set(mayInclude_run core level_file render level effects objects sound)
set(mayInclude_world core level_file render level effects objects sound run)
set(mayInclude_game core level_file render level effects objects sound run world)

if(NOT GAME_DIR)
  message(FATAL_ERROR "usage: cmake -DGAME_DIR=path/to/game -P layers.cmake")
endif()

# The layer of a path inside game/: its first folder, or game for a file
# directly in game/.
function(layer_of path out)
  string(FIND "${path}" "/" slash)
  if(slash EQUAL -1)
    set(${out} game PARENT_SCOPE)
  else()
    string(SUBSTRING "${path}" 0 ${slash} folder)
    set(${out} ${folder} PARENT_SCOPE)
  endif()
endfunction()

# A module is a file's path without its extension: x.h and x.cpp are one.
function(module_of path out)
  string(REGEX REPLACE "\\.[^./]*$" "" module "${path}")
  set(${out} ${module} PARENT_SCOPE)
endfunction()

set(faults)

# The allowed layers must themselves point down, or folders could still
# include each other in a ring.
foreach(layer IN LISTS layers)
  list(FIND layers ${layer} rank)
  foreach(lower IN LISTS mayInclude_${layer})
    list(FIND layers ${lower} lowerRank)
    if(lowerRank EQUAL -1 OR NOT lowerRank LESS rank)
      list(APPEND faults "layers.cmake: layer ${layer} may include ${lower}, which is not below it")
    endif()
  endforeach()
endforeach()

file(GLOB_RECURSE files RELATIVE ${GAME_DIR} ${GAME_DIR}/*.h ${GAME_DIR}/*.cpp)
list(SORT files)
set(modules)
foreach(file IN LISTS files)
  layer_of(${file} layer)
  module_of(${file} module)
  list(APPEND modules ${module})
  if(NOT layer IN_LIST layers)
    list(APPEND faults "${file}: folder ${layer} is no layer of layers.cmake")
    continue()
  endif()
  file(STRINGS ${GAME_DIR}/${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*$" "\\1" included "${line}")
    # Paths from the project's root only: a relative one could reach any
    # folder without saying which.
    if(included MATCHES "\\.\\." OR NOT included MATCHES "^(framework|game)/")
      list(APPEND faults "${file}: includes \"${included}\": write it from the project's root (game/... or framework/...)")
      continue()
    endif()
    if(NOT included MATCHES "^game/")
      continue()
    endif()
    string(REGEX REPLACE "^game/" "" target "${included}")
    layer_of(${target} targetLayer)
    if(NOT targetLayer STREQUAL layer AND NOT targetLayer IN_LIST mayInclude_${layer})
      list(APPEND faults "${file}: includes ${included} of layer ${targetLayer}, which layer ${layer} may not include")
    endif()
    module_of(${target} targetModule)
    if(NOT targetModule STREQUAL module)
      string(MAKE_C_IDENTIFIER "${module}" key)
      list(APPEND uses_${key} ${targetModule})
    endif()
  endforeach()
endforeach()
list(REMOVE_DUPLICATES modules)

# Modules in a cycle: peel off, again and again, every module that uses no
# module left, and every module no module left uses; what is left lies on
# a cycle (or between two).
function(used_by_any module candidates out)
  foreach(candidate IN LISTS candidates)
    string(MAKE_C_IDENTIFIER "${candidate}" key)
    if(module IN_LIST uses_${key})
      set(${out} TRUE PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${out} FALSE PARENT_SCOPE)
endfunction()

set(left ${modules})
set(peeled TRUE)
while(peeled)
  set(peeled FALSE)
  set(stillLeft)
  foreach(module IN LISTS left)
    string(MAKE_C_IDENTIFIER "${module}" key)
    set(usesLeft FALSE)
    foreach(used IN LISTS uses_${key})
      if(used IN_LIST left)
        set(usesLeft TRUE)
        break()
      endif()
    endforeach()
    if(usesLeft)
      used_by_any(${module} "${left}" usesLeft)
    endif()
    if(usesLeft)
      list(APPEND stillLeft ${module})
    else()
      set(peeled TRUE)
    endif()
  endforeach()
  set(left ${stillLeft})
endwhile()
foreach(module IN LISTS left)
  string(MAKE_C_IDENTIFIER "${module}" key)
  set(usedLeft)
  foreach(used IN LISTS uses_${key})
    if(used IN_LIST left)
      list(APPEND usedLeft ${used})
    endif()
  endforeach()
  list(REMOVE_DUPLICATES usedLeft)
  list(JOIN usedLeft ", " usedText)
  list(APPEND faults "${module}: in an include cycle, through ${usedText}")
endforeach()

# One fault a line, unwrapped, then the failure.
if(faults)
  message(NOTICE "The game's includes break its layers:")
  foreach(fault IN LISTS faults)
    message(NOTICE "${fault}")
  endforeach()
  list(LENGTH faults count)
  message(FATAL_ERROR "${count} include faults in ${GAME_DIR}")
endif()
