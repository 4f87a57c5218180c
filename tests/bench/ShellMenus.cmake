# The folder-menu builder opening a large folder.
add_executable(muralto_menu_bench ${CMAKE_CURRENT_SOURCE_DIR}/BetterMenuBench.cpp)
target_link_libraries(muralto_menu_bench PRIVATE muralto_host_platform benchmark::benchmark)
add_dependencies(benchmarks muralto_menu_bench)
