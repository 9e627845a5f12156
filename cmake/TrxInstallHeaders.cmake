# Run at install time (install(CODE) in the top CMakeLists.txt): installs the
# headers an application includes, TRX_HEADER_ROOTS (paths relative to
# TRX_SOURCE_DIR), and every header of ours they include, directly or
# through others, into TRX_HEADER_DESTINATION under the prefix, each under
# its own path. Following the includes here, rather than at configure time,
# keeps the set right after any edit of a header without a reconfigure.
set(_todo ${TRX_HEADER_ROOTS})
set(_headers "")
while(_todo)
  list(POP_FRONT _todo _header)
  list(FIND _headers ${_header} _seen)
  if(_seen GREATER -1)
    continue()
  endif()
  # Our headers name each other from the top of the tree.
  if(NOT EXISTS "${TRX_SOURCE_DIR}/${_header}")
    message(FATAL_ERROR "An installed header includes \"${_header}\", which is no path from the top of the tree.")
  endif()
  list(APPEND _headers ${_header})
  file(STRINGS "${TRX_SOURCE_DIR}/${_header}" _lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(_line IN LISTS _lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" _included "${_line}")
    list(APPEND _todo ${_included})
  endforeach()
endwhile()
list(SORT _headers)
foreach(_header IN LISTS _headers)
  get_filename_component(_dir ${_header} DIRECTORY)
  file(INSTALL "${TRX_SOURCE_DIR}/${_header}" DESTINATION "${CMAKE_INSTALL_PREFIX}/${TRX_HEADER_DESTINATION}/${_dir}")
endforeach()
