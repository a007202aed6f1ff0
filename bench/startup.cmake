# Start-up time and idle memory: bench_startup spawns the two probes below, which
# are built with the same flags so that the only difference is the app itself.
add_library(bench_startupprobe STATIC startupprobe.cpp startupprobe.h)
target_include_directories(bench_startupprobe PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(bench_startupprobe PUBLIC Qt6::Widgets PRIVATE pallisto_warnings)

add_executable(startup_probe_pallisto probe_pallisto.cpp)
target_link_libraries(startup_probe_pallisto PRIVATE bench_startupprobe pallisto_windows pallisto_warnings)

add_executable(startup_probe_bare probe_bare.cpp)
target_link_libraries(startup_probe_bare PRIVATE bench_startupprobe pallisto_warnings)

add_executable(bench_startup bench_startup.cpp)
target_include_directories(bench_startup PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(bench_startup PRIVATE benchmark::benchmark pallisto_warnings)
# bench_startup finds the probes beside itself.
add_dependencies(bench_startup startup_probe_pallisto startup_probe_bare)

set_target_properties(bench_startup startup_probe_pallisto startup_probe_bare PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
