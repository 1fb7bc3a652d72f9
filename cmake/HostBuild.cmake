# What a build of this tree takes from a Linux build of the same tree, VX_HOST_BUILD, instead of
# making it itself: the help PDFs (with their window pictures) and the icons' PNG sizes, as they are.
# The Windows build must (its tools cannot run here); the package build may, when a test build
# beside it has made them already.
set(VX_HOST_BUILD "" CACHE PATH "A Linux build folder of this tree whose help/ holds both help PDFs")
if(NOT EXISTS "${VX_HOST_BUILD}/help/vibrix.pdf" OR NOT EXISTS "${VX_HOST_BUILD}/help/Help.pdf"
   OR NOT EXISTS "${VX_HOST_BUILD}/packaging/icons")
  message(FATAL_ERROR "VX_HOST_BUILD (${VX_HOST_BUILD}) holds no help/vibrix.pdf, help/Help.pdf and "
                      "packaging/icons: build its targets help_pdfs and icons first")
endif()
set(VX_HELP_DIR ${VX_HOST_BUILD}/help)
set(VX_HOST_ICONS ${VX_HOST_BUILD}/packaging/icons)
