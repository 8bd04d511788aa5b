# Debian's mingw-w64 compilers for 64-bit Windows, with POSIX threads, linking the compiler's
# runtime as DLLs: for Qt built here and the program that uses it, which ship those DLLs together.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
# The toolkit's folder (Qt, libzip, zlib) is searched with the compiler's own.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 $ENV{VENTAKAR_WINDOWS_TOOLKIT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR wine64)
