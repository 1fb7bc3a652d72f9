vx_test(vibrix_window_tests QT_MAIN SOURCES SettingsTest.cpp MainWindowTest.cpp MainCommandsTest.cpp ImportWindowTest.cpp
  RandomActionsTest.cpp PileReportCommandsTest.cpp PilePageTest.cpp PileChartKeysTest.cpp
  PileVerdictFieldsTest.cpp LIBS vibrix_mainwindow ssmgen_lib Qt6::Test)
