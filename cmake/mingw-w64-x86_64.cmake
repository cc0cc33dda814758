# Cross-compiles for 64-bit Windows with the posix-thread variant of mingw-w64
# (GoogleTest needs std::mutex, which the win32-thread variant lacks).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TESSEL_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
