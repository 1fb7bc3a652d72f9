add_executable(tracebuilder-cli tracebuilder_cli_main.cpp TraceBuilderCommands.cpp CatalogueControls.cpp)
target_link_libraries(tracebuilder-cli PRIVATE cli_support tb_window tb_app Qt6::Widgets)
