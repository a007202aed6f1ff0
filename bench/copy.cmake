# Copy mode on a 1 GiB file beside cp --reflink=auto, on a disk, tmpfs and btrfs,
# and the GUI's longest wait while CopyJob copies. Mounts btrfs when run as root.
add_executable(bench_copy ${CMAKE_CURRENT_LIST_DIR}/bench_copy.cpp)
target_include_directories(bench_copy PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(bench_copy PRIVATE
    pallisto_documents pallisto_platform pallisto_warnings benchmark::benchmark)
set_target_properties(bench_copy PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
