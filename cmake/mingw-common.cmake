# Shared part of the two MinGW-w64 toolchain files. The including file sets
# MURALTO_TRIPLET and CMAKE_SYSTEM_PROCESSOR first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER   ${MURALTO_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MURALTO_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER  ${MURALTO_TRIPLET}-windres)
set(CMAKE_AR           /usr/bin/${MURALTO_TRIPLET}-ar)
set(CMAKE_RANLIB       /usr/bin/${MURALTO_TRIPLET}-ranlib)

# The cross-built libjpeg-turbo and giflib (scripts/build-deps.sh).
if(DEFINED ENV{MURALTO_DEPS})
  set(MURALTO_DEPS_ROOT "$ENV{MURALTO_DEPS}")
elseif(DEFINED ENV{XDG_CACHE_HOME})
  set(MURALTO_DEPS_ROOT "$ENV{XDG_CACHE_HOME}/muralto-deps")
else()
  set(MURALTO_DEPS_ROOT "$ENV{HOME}/.cache/muralto-deps")
endif()
set(MURALTO_DEPS_PREFIX "${MURALTO_DEPS_ROOT}/current/${MURALTO_TRIPLET}")

set(CMAKE_FIND_ROOT_PATH /usr/${MURALTO_TRIPLET} ${MURALTO_DEPS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Programs carry their runtime with them: nothing to install beside the .exe.
set(CMAKE_EXE_LINKER_FLAGS_INIT    "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
