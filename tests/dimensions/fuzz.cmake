# libFuzzer targets, built with clang only (see `make fuzz`).
set(fuzz_flags -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
add_executable(fuzz_names fuzz_names.cpp)
target_compile_options(fuzz_names PRIVATE ${fuzz_flags})
target_link_options(fuzz_names PRIVATE ${fuzz_flags})
target_link_libraries(fuzz_names PRIVATE pallisto_dimensions pallisto_warnings)
