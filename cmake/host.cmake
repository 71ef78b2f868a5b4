# The host tree: the core with sanitizers, its native tests and the host-side tools.
option(VELKARI_SANITIZE "Build the host tree with address and undefined-behaviour sanitizers" ON)
if(VELKARI_SANITIZE)
  target_compile_options(velkari_flags INTERFACE -fsanitize=address,undefined
                                                    -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(velkari_flags INTERFACE -fsanitize=address,undefined)
endif()

file(GLOB VELKARI_CORE_TESTS CONFIGURE_DEPENDS tests/core/*.cpp)
list(FILTER VELKARI_CORE_TESTS EXCLUDE REGEX "/write_tones\\.cpp$")
add_executable(core_tests ${VELKARI_CORE_TESTS})
target_link_libraries(core_tests PRIVATE velkari_core velkari_doctest)
target_include_directories(core_tests PRIVATE tests)
add_test(NAME core_tests COMMAND core_tests)

# The tone images of all sixteen keys, written out and decoded by multimon-ng.
add_executable(write_tones tests/core/write_tones.cpp)
target_link_libraries(write_tones PRIVATE velkari_core)
add_test(NAME dtmf_decode COMMAND bash ${PROJECT_SOURCE_DIR}/tests/core/dtmf_decode_test.sh
                                  $<TARGET_FILE:write_tones>)

file(GLOB VELKARI_CORE_BENCH CONFIGURE_DEPENDS bench/core/*.cpp)
foreach(bench_source ${VELKARI_CORE_BENCH})
  get_filename_component(bench_name ${bench_source} NAME_WE)
  add_executable(${bench_name} ${bench_source})
  target_link_libraries(${bench_name} PRIVATE velkari_core)
  target_compile_definitions(${bench_name} PRIVATE ${VELKARI_WORD_DEFINITIONS}
                             VELKARI_VANITY_NUMBERS="${CMAKE_SOURCE_DIR}/bench/vanity_numbers.tsv"
                             VELKARI_UNSEEN_NUMBERS="${CMAKE_SOURCE_DIR}/bench/vanity_numbers_unseen.tsv")
endforeach()

# Tests of the art sources read them from the source tree.
target_compile_definitions(core_tests PRIVATE
                           VELKARI_ART_DIR="${CMAKE_SOURCE_DIR}/resources/art"
                           VELKARI_KEYS_DIR="${CMAKE_SOURCE_DIR}/resources/keys"
                           ${VELKARI_WORD_DEFINITIONS})

# The Wine tools keep to the prefix they made (no Wine process is started).
add_test(NAME tools_prefix_safety COMMAND bash ${CMAKE_SOURCE_DIR}/tests/tools/prefix_safety.sh)

# The notices of the word lists and the language model travel in the README, and so in the
# release zip.
add_test(NAME word_list_notice COMMAND bash ${CMAKE_SOURCE_DIR}/tests/tools/word_list_notice.sh
                                       ${CMAKE_SOURCE_DIR}/README.md)

# The resource generator that the Windows tree runs at build time (see cmake/windows.cmake).
# It compresses the icon's PNG picture with the host's zlib.
find_package(ZLIB REQUIRED)
add_executable(resgen tools/resgen/resgen.cpp)
target_link_libraries(resgen PRIVATE velkari_core ZLIB::ZLIB)

# velkari-cli natively, with the word list packed here as the Windows tree packs it.
set(VELKARI_HOST_WORDS ${CMAKE_BINARY_DIR}/generated/words.bin)
add_custom_command(OUTPUT ${VELKARI_HOST_WORDS}
                   COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated
                   COMMAND resgen words ${VELKARI_WORD_LISTS} ${VELKARI_TRADE_WORDS}
                           ${VELKARI_BANNED_WORDS} ${VELKARI_SPOKEN_WORDS} ${VELKARI_WORD_PAIRS}
                           ${VELKARI_HOST_WORDS}
                   DEPENDS resgen ${VELKARI_WORD_LIST_FILES} ${VELKARI_TRADE_WORDS}
                           ${VELKARI_BANNED_WORDS} ${VELKARI_SPOKEN_WORDS} ${VELKARI_WORD_PAIRS}
                   COMMENT "Packing words.bin" VERBATIM)
velkari_add_cli(${VELKARI_HOST_WORDS} console_posix.cpp)
add_test(NAME cli_runs COMMAND bash ${CMAKE_SOURCE_DIR}/tests/cli/runs.sh
                               $<TARGET_FILE:velkari-cli>)

# An independent reader: ImageMagick must decode what resgen writes, pixel for pixel.
add_test(NAME resgen_imagemagick
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/resgen/check_with_imagemagick.sh
                 $<TARGET_FILE:resgen> ${CMAKE_SOURCE_DIR}/resources/art
                 ${CMAKE_CURRENT_BINARY_DIR}/resgen_check)
