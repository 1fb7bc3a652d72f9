# The Windows build on Linux: MinGW-w64 with the kit's toolchain file (toolchain.cmake sets
# VX_MINGW_KIT). What runs during a build comes from a Linux build of the same tree, VX_HOST_BUILD:
# the help PDFs (with their window pictures) are taken from it as they are.
set(VX_HOST_BUILD "" CACHE PATH "A Linux build folder of this tree whose help/ holds both help PDFs")
if(NOT EXISTS "${VX_HOST_BUILD}/help/vibrix.pdf" OR NOT EXISTS "${VX_HOST_BUILD}/help/Help.pdf")
  message(FATAL_ERROR "VX_HOST_BUILD (${VX_HOST_BUILD}) holds no help/vibrix.pdf and help/Help.pdf: "
                      "build the Linux tree first (make windows does)")
endif()
if(NOT VX_MINGW_KIT)
  message(FATAL_ERROR "Configure with the kit's toolchain file (-DCMAKE_TOOLCHAIN_FILE=<kit>/toolchain.cmake)")
endif()
set(VX_HELP_DIR ${VX_HOST_BUILD}/help)

# Test programs run under Wine, with the kit's and the compiler's libraries on their path.
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh ${VX_MINGW_KIT})


# M_PI and its kin, as glibc gives them.
add_compile_definitions(_USE_MATH_DEFINES)
