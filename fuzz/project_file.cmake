vx_fuzz(fuzz_project_file SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/project_file.cpp LIBS vibrix_data)
add_executable(fuzz_project_file_seeds ${CMAKE_CURRENT_SOURCE_DIR}/project_file_seeds.cpp)
target_link_libraries(fuzz_project_file_seeds PRIVATE vibrix_data ssmgen_lib)
