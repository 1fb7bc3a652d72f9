# The small windows and commands of vibrix that the main window opens: the time-frequency
# window, the colour dialog, the view window's question and the export commands.
add_library(vibrix_forms STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ExportCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FTProcessingForm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SetColorsUnit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SpectrogramChart.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ViewWindowForm.cpp
)
target_include_directories(vibrix_forms PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(vibrix_forms PUBLIC vibrix_views vibrix_report vibrix_analysis vibrix_data vx_dialogs vx_common
  QCustomPlotQt6::QCustomPlotQt6 Qt6::Widgets)
