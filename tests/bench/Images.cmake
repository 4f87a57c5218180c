# Image loading: our JPEG path against bare libjpeg, PCX throughput and the
# 256-colour reduction (inputs from scripts/bench-images.sh).
add_executable(muralto_image_bench ${CMAKE_CURRENT_SOURCE_DIR}/ImageBench.cpp)
target_link_libraries(muralto_image_bench PRIVATE muralto_host_platform benchmark::benchmark)
add_dependencies(benchmarks muralto_image_bench)
