vx_fuzz(fuzz_ssm_reader SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/ssm_reader.cpp LIBS measurement)
add_executable(fuzz_ssm_reader_seeds ${CMAKE_CURRENT_SOURCE_DIR}/ssm_reader_seeds.cpp)
target_link_libraries(fuzz_ssm_reader_seeds PRIVATE ssmgen_lib)
