# The document list and Calculate through real widgets, each beside a plain Qt or
# dimension-model baseline over the same data. Runs headless.
add_executable(bench_documents ${CMAKE_CURRENT_LIST_DIR}/bench_documents.cpp)
target_include_directories(bench_documents PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(bench_documents PRIVATE
    pallisto_windows pallisto_testsupport pallisto_warnings benchmark::benchmark)
set_target_properties(bench_documents PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
