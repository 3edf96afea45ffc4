# One library per source folder, seeing only the folders it may use.
#
# Every target gets an include root of its own under the build tree, holding one link to its
# folder: src/stl/check is seen as "stl/check/..." by the check library and by whatever links
# it, and by nothing else. A file that includes a folder its target does not link fails to
# build, so the layering in docs/ARCHITECTURE.md is kept by the compiler, not by review.
#
#   zel_library(<target> <folder under src> [SHARED | INTERFACE] [USES <targets>...]
#               [EXCLUDE <file names>...])
#
# An EXCLUDE entry "sub/..." leaves out everything in the sub-folder `sub`: a folder may
# hold a separate deliverable of its own (access/telvane is a shared library of its own).
function(zel_library name folder)
  cmake_parse_arguments(ZL "SHARED;INTERFACE" "" "USES;EXCLUDE" ${ARGN})
  set(dir ${CMAKE_SOURCE_DIR}/src/${folder})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*/*.cpp ${dir}/*.h ${dir}/*/*.h)
  foreach(excluded ${ZL_EXCLUDE})
    if(excluded MATCHES "/\\.\\.\\.$")
      string(REGEX REPLACE "\\.\\.\\.$" "" prefix "${dir}/${excluded}")
      string(LENGTH "${prefix}" prefix_length)
      foreach(source ${sources})
        string(SUBSTRING "${source}" 0 ${prefix_length} head)
        if(head STREQUAL prefix)
          list(REMOVE_ITEM sources ${source})
        endif()
      endforeach()
    else()
      list(REMOVE_ITEM sources ${dir}/${excluded})
    endif()
  endforeach()
  if(ZL_SHARED)
    add_library(${name} SHARED ${sources})
  else()
    add_library(${name} STATIC ${sources})
  endif()
  zel_include_root(${name} ${folder})
  target_link_libraries(${name} PUBLIC ${ZL_USES})
endfunction()

# Gives `name` the include root that shows `folder` (and only it) as "folder/...".
function(zel_include_root name folder)
  set(root ${CMAKE_BINARY_DIR}/include/${name})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT EXISTS ${root}/${folder})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  target_include_directories(${name} PUBLIC ${root})
endfunction()
