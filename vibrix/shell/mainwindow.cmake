# The main window of vibrix, its views, the project commands and the program.

# The record views: usable without the main window (a report builds them offscreen).
add_library(vibrix_views STATIC
  ChartPanel.cpp FreqView.cpp Hints.cpp NumberEdit.cpp RecordChart.cpp TimeView.cpp)
target_include_directories(vibrix_views PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(vibrix_views PUBLIC vibrix_analysis vibrix_data QCustomPlotQt6::QCustomPlotQt6 Qt6::Widgets)
