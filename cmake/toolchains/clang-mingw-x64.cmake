# x64 with Debian's clang and lld over the same mingw-w64 headers and libraries as the GCC build:
# a second compiler's diagnostics on code that must also build with MSVC.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CALVORN_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER clang-14)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_C_COMPILER_TARGET ${CALVORN_MINGW_TRIPLE})
set(CMAKE_CXX_COMPILER_TARGET ${CALVORN_MINGW_TRIPLE})
set(CMAKE_RC_COMPILER ${CALVORN_MINGW_TRIPLE}-windres)
set(CMAKE_SYSROOT /usr/${CALVORN_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH /usr/${CALVORN_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# This clang does not recognise Debian's "12-posix" GCC folder, so it is named here: libstdc++'s
# headers, and its libraries for the linker.
file(GLOB gcc_dirs LIST_DIRECTORIES true /usr/lib/gcc/${CALVORN_MINGW_TRIPLE}/*-posix)
list(SORT gcc_dirs COMPARE NATURAL ORDER DESCENDING)
list(GET gcc_dirs 0 gcc_dir)
set(libstdcxx_include ${gcc_dir}/include/c++)
string(JOIN " " CMAKE_CXX_FLAGS_INIT
       -stdlib++-isystem ${libstdcxx_include}
       -stdlib++-isystem ${libstdcxx_include}/${CALVORN_MINGW_TRIPLE}
       -stdlib++-isystem ${libstdcxx_include}/backward)
# libstdc++ was built over winpthread, which GCC's driver adds by itself and clang's does not;
# lld resolves archives in any order, so naming it among the flags is enough.
foreach(kind EXE SHARED MODULE)
  set(CMAKE_${kind}_LINKER_FLAGS_INIT "-fuse-ld=lld -L${gcc_dir} -lwinpthread")
endforeach()

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../../scripts/wine-run)
