# The dimension model against plain passes over the same data.
add_executable(bench_dimensions ${CMAKE_CURRENT_LIST_DIR}/bench_dimensions.cpp)
target_include_directories(bench_dimensions PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(bench_dimensions PRIVATE
    pallisto_dimensions pallisto_warnings benchmark::benchmark)
set_target_properties(bench_dimensions PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
