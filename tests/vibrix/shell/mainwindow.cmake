vx_test(vibrix_views_tests QT_MAIN SOURCES ViewsTest.cpp LIBS vibrix_views Qt6::Test)
