vx_test(test_vibrix_forms QT_MAIN SOURCES ${CMAKE_CURRENT_LIST_DIR}/FTProcessingFormTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SetColorsFormTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ExportCommandsTest.cpp
  LIBS vibrix_forms ssmgen_lib Qt6::Test)
