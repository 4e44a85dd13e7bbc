# nlohmann/json and CLI11, header-only, from Debian's nlohmann-json3-dev and libcli11-dev
# (scripts/install-deps). A cross compiler must not search /usr/include, which holds the build
# machine's C library, so only the two libraries' folders are offered, linked into the build
# tree. Elsewhere (MSVC, say) point CALVORN_HEADER_LIBRARIES_DIR at a folder holding both.
set(CALVORN_HEADER_LIBRARIES_DIR /usr/include
    CACHE PATH "Folder holding nlohmann/json.hpp and CLI/CLI.hpp")
set(header_libraries ${CMAKE_BINARY_DIR}/header-libraries)
foreach(library nlohmann CLI)
  if(NOT EXISTS ${CALVORN_HEADER_LIBRARIES_DIR}/${library})
    message(FATAL_ERROR "${library} headers not found in ${CALVORN_HEADER_LIBRARIES_DIR}; "
                        "run scripts/install-deps")
  endif()
  file(MAKE_DIRECTORY ${header_libraries})
  file(CREATE_LINK ${CALVORN_HEADER_LIBRARIES_DIR}/${library} ${header_libraries}/${library}
       COPY_ON_ERROR SYMBOLIC)
endforeach()
add_library(calvorn_header_libraries INTERFACE)
# Their warnings are not ours to mend.
target_include_directories(calvorn_header_libraries SYSTEM INTERFACE ${header_libraries})
