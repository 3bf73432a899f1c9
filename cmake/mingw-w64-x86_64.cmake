# Cross-compiling for 64-bit Windows with Debian's MinGW-w64, posix thread model
# (std::thread and std::mutex need it). The runtime is linked statically, so a
# test program runs under Wine or on Windows with no DLL beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MUX6_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER /usr/bin/${MUX6_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER /usr/bin/${MUX6_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER /usr/bin/${MUX6_MINGW}-windres)
set(CMAKE_AR /usr/bin/${MUX6_MINGW}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB /usr/bin/${MUX6_MINGW}-gcc-ranlib-posix CACHE FILEPATH "")

# The Qt build shares the runtime DLLs with Qt's own (-DMUX6_SHARED_RUNTIME=ON).
if(NOT MUX6_SHARED_RUNTIME)
  set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
endif()

# The target's libraries and packages only; the host's programs (ccache, moc,
# rsvg-convert) stay usable. /opt/qt6-mingw is where scripts/qt-windows puts Qt.
set(CMAKE_FIND_ROOT_PATH /usr/${MUX6_MINGW} /opt/qt6-mingw)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# CTest and test discovery start the programs through Wine.
find_program(MUX6_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(MUX6_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${MUX6_WINE})
endif()
