# The Windows build on Linux: MinGW-w64 with the kit's toolchain file (toolchain.cmake sets
# VX_MINGW_KIT). What runs during a build comes from a Linux build of the same tree.
include(${CMAKE_CURRENT_LIST_DIR}/HostBuild.cmake)
if(NOT VX_MINGW_KIT)
  message(FATAL_ERROR "Configure with the kit's toolchain file (-DCMAKE_TOOLCHAIN_FILE=<kit>/toolchain.cmake)")
endif()

# Test programs run under Wine, with the kit's and the compiler's libraries on their path.
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh ${VX_MINGW_KIT})


# M_PI and its kin, as glibc gives them.
add_compile_definitions(_USE_MATH_DEFINES)
