# Pixel effects: Google Benchmark programs over the working image, and the
# timer that scripts/bench-effects.sh runs against ImageMagick and libvips.
add_executable(muralto_effects_bench ${CMAKE_CURRENT_SOURCE_DIR}/EffectsBench.cpp)
target_link_libraries(muralto_effects_bench PRIVATE muralto_core benchmark::benchmark)
add_executable(muralto_effects_time ${CMAKE_CURRENT_SOURCE_DIR}/EffectsTime.cpp)
target_link_libraries(muralto_effects_time PRIVATE muralto_core)
add_dependencies(benchmarks muralto_effects_bench muralto_effects_time)
