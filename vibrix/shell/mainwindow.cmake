# The main window of vibrix, the project commands and the program; the record views it shows
# are the library of vibrix/views.

# Where the program keeps its files, and the settings file.
add_library(vibrix_settings STATIC ProgramPlaces.cpp VibrixSettings.cpp)
target_include_directories(vibrix_settings PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(vibrix_settings PUBLIC vibrix_views Qt6::Core)

# The project on screen: record grid and navigator, memos, data page, import window, commands.
add_library(vibrix_project_ui STATIC
  DataPage.cpp DownloadForm.cpp MemoBinding.cpp PileCurvePanel.cpp PileList.cpp PilePage.cpp PileVerdictPanel.cpp RemarkEdit.cpp BlowTable.cpp
  ProjectCommands.cpp RecordGrid.cpp RecordModel.cpp SiteSpeedPanel.cpp RecordNavigator.cpp RecordQuestion.cpp)
target_link_libraries(vibrix_project_ui PUBLIC vibrix_views vibrix_data vx_dialogs Qt6::Widgets Qt6::Concurrent)

# The version of the about box.
string(TIMESTAMP VIBRIX_BUILD_YEAR "%Y")
configure_file(VibrixVersion.h.in ${CMAKE_CURRENT_BINARY_DIR}/VibrixVersion.h @ONLY)

# The main window, its actions, commands, status bar, about box and the start of the program.
add_library(vibrix_mainwindow STATIC
  AboutUnit.cpp EmptyWindowHint.cpp MainActions.cpp MainStatusBar.cpp MainUnit.cpp MainWindowPlace.cpp PileReportCommands.cpp
  RecordCommands.cpp RecordFileName.cpp ReportHeaderDialog.cpp SiteReportRun.cpp Startup.cpp)
target_include_directories(vibrix_mainwindow PUBLIC ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_BINARY_DIR})
target_link_libraries(vibrix_mainwindow PUBLIC vibrix_project_ui vibrix_forms vibrix_settings)

add_executable(vibrix vibrix_main.cpp)
target_link_libraries(vibrix PRIVATE vibrix_mainwindow)
