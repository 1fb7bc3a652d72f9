vx_test(tracebuilder_cli_tests QT_MAIN SOURCES TraceBuilderCliTest.cpp LIBS tb_window tb_app ssmgen_lib)
target_compile_definitions(tracebuilder_cli_tests PRIVATE TRACEBUILDER_CLI="$<TARGET_FILE:tracebuilder-cli>")
add_dependencies(tracebuilder_cli_tests tracebuilder-cli)
