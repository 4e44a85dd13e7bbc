# nlohmann/json, CLI11 and Boost (for Boost.PropertyTree's XML parser), header-only, from Debian's
# nlohmann-json3-dev, libcli11-dev and libboost-dev (scripts/install-deps). A cross compiler must not search /usr/include, which holds the build
# machine's C library, so only the libraries' folders are offered, linked into the build
# tree. Elsewhere (MSVC, say) point CALVORN_HEADER_LIBRARIES_DIR at a folder holding all three.
set(CALVORN_HEADER_LIBRARIES_DIR /usr/include
    CACHE PATH "Folder holding nlohmann/json.hpp, CLI/CLI.hpp and boost/")
set(header_libraries ${CMAKE_BINARY_DIR}/header-libraries)
foreach(library nlohmann CLI boost)
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
