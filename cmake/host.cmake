# The host tree: the core with sanitizers, its native tests and the host-side tools.
option(VELKARI_SANITIZE "Build the host tree with address and undefined-behaviour sanitizers" ON)
if(VELKARI_SANITIZE)
  target_compile_options(velkari_warnings INTERFACE -fsanitize=address,undefined
                                                    -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(velkari_warnings INTERFACE -fsanitize=address,undefined)
endif()

file(GLOB VELKARI_CORE_TESTS CONFIGURE_DEPENDS tests/core/*.cpp)
add_executable(core_tests ${VELKARI_CORE_TESTS})
target_link_libraries(core_tests PRIVATE velkari_core velkari_doctest)
target_include_directories(core_tests PRIVATE tests)
add_test(NAME core_tests COMMAND core_tests)

file(GLOB VELKARI_CORE_BENCH CONFIGURE_DEPENDS bench/core/*.cpp)
foreach(bench_source ${VELKARI_CORE_BENCH})
  get_filename_component(bench_name ${bench_source} NAME_WE)
  add_executable(${bench_name} ${bench_source})
  target_link_libraries(${bench_name} PRIVATE velkari_core)
endforeach()
