# Debian's header-only libraries, each reached through a folder of its own in the build tree:
# adding /usr/include itself would hand a cross compiler (mingw-w64, emscripten) the host's C
# headers too.
function(use_header_library target header package)
  get_filename_component(top ${header} DIRECTORY)
  find_path(${package}_ROOT ${header} PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NOT ${package}_ROOT)
    message(FATAL_ERROR "${header} not found: install Debian's ${package} (scripts/setup.sh does)")
  endif()
  set(link_dir ${CMAKE_BINARY_DIR}/third_party/${package})
  if(NOT EXISTS ${link_dir}/${top})
    file(MAKE_DIRECTORY ${link_dir})
    file(CREATE_LINK ${${package}_ROOT}/${top} ${link_dir}/${top} SYMBOLIC)
  endif()
  target_include_directories(${target} SYSTEM PRIVATE ${link_dir})
endfunction()
