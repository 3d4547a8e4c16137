# The game's layers as libraries, each compiled against a view of src/ that holds only itself and the
# layers below it, so that an include reaching up (a game header from gfx, say) fails to compile:
#
#   game (with records and shell)  ->  puzzle  ->  gfx  ->  platform
#                                  ->  sound            ->  platform
#
# Shared by the desktop build (CMakeLists.txt) and the browser build (web/CMakeLists.txt), so both build
# the same sources. The device backends and the programs that link everything see all of src/ through
# spirehold_game.

# A folder of links to the named folders of src/, for one layer's compiler to include from.
function(spirehold_layer_view target)
  set(view ${CMAKE_BINARY_DIR}/layer-views/${target})
  file(MAKE_DIRECTORY ${view})
  foreach(folder ${ARGN})
    if(NOT EXISTS ${view}/${folder})
      file(CREATE_LINK ${SPIREHOLD_SOURCE_ROOT}/src/${folder} ${view}/${folder} SYMBOLIC)
    endif()
  endforeach()
  target_include_directories(${target} PRIVATE ${view})
endfunction()

# One static library of a layer: the .cpp files of its folders, compiled against its view.
function(spirehold_add_layer target)
  cmake_parse_arguments(LAYER "" "" "FOLDERS;SEES;LINKS" ${ARGN})
  set(sources "")
  foreach(folder ${LAYER_FOLDERS})
    file(GLOB folder_sources CONFIGURE_DEPENDS ${SPIREHOLD_SOURCE_ROOT}/src/${folder}/*.cpp)
    list(APPEND sources ${folder_sources})
  endforeach()
  add_library(${target} STATIC ${sources})
  spirehold_layer_view(${target} ${LAYER_FOLDERS} ${LAYER_SEES})
  target_link_libraries(${target} PUBLIC ${LAYER_LINKS})
  if(SPIREHOLD_LAYER_WARNINGS)
    target_link_libraries(${target} PRIVATE ${SPIREHOLD_LAYER_WARNINGS})
  endif()
endfunction()

function(spirehold_add_layers)
  spirehold_add_layer(spirehold_gfx FOLDERS gfx SEES platform)
  spirehold_add_layer(spirehold_sound FOLDERS sound SEES platform LINKS $<TARGET_NAME_IF_EXISTS:Threads::Threads>)
  spirehold_add_layer(spirehold_puzzle FOLDERS puzzle SEES platform gfx LINKS spirehold_gfx)
  spirehold_add_layer(spirehold_game FOLDERS game records shell SEES platform gfx sound puzzle
                      LINKS spirehold_puzzle spirehold_sound)
  # Everything above the layers (the backends' programs, tools and tests) includes from src/ itself.
  target_include_directories(spirehold_game INTERFACE ${SPIREHOLD_SOURCE_ROOT}/src)
endfunction()
