# The image window: a drag step and the effects box's rebuild.
add_executable(muralto_window_bench ${CMAKE_CURRENT_SOURCE_DIR}/ImageWindowBench.cpp)
target_link_libraries(muralto_window_bench PRIVATE muralto_host_platform benchmark::benchmark)
add_dependencies(benchmarks muralto_window_bench)
