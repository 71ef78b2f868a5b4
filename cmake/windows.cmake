# The Windows tree: velkari.exe, the toolkit and the Windows tests that CTest runs under Wine.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
set(VELKARI_WIN_LIBS comctl32 comdlg32 gdi32 user32 winmm shell32 shlwapi oleacc oleaut32 ole32
    uuid)
add_link_options(-static -static-libgcc -static-libstdc++)
# What the executables need, said rather than left to the linker's defaults: Windows 7 (6.1),
# address-space layout randomisation with high entropy, no code from data pages, and
# terminal-server awareness. No build path and no time of building end up in them: the
# linker dates them at the last commit (SOURCE_DATE_EPOCH, when not given from outside).
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(VELKARI_DATE $ENV{SOURCE_DATE_EPOCH})
else()
  execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                  OUTPUT_VARIABLE VELKARI_DATE OUTPUT_STRIP_TRAILING_WHITESPACE)
endif()
# What writes a PE header (the linker, objcopy) runs under VELKARI_DATED.
if(VELKARI_DATE)
  set(VELKARI_DATED ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${VELKARI_DATE})
  set(CMAKE_CXX_LINKER_LAUNCHER ${VELKARI_DATED})
endif()
add_link_options(-Wl,--dynamicbase,--high-entropy-va,--nxcompat,--tsaware
                 -Wl,--major-subsystem-version,6,--minor-subsystem-version,1
                 -Wl,--major-os-version,6,--minor-os-version,1 -Wl,--build-id)
target_compile_options(velkari_flags INTERFACE -ffile-prefix-map=${CMAKE_SOURCE_DIR}=.
                                                -ffile-prefix-map=${CMAKE_BINARY_DIR}=.)

file(GLOB VELKARI_TOOLKIT_SOURCES CONFIGURE_DEPENDS src/toolkit/*.cpp src/controls/*.cpp
     src/dialogs/*.cpp)
add_library(velkari_toolkit STATIC ${VELKARI_TOOLKIT_SOURCES})
target_link_libraries(velkari_toolkit PUBLIC velkari_core ${VELKARI_WIN_LIBS})

# Everything of the program but its entry point, so tests and benchmarks use the real forms.
file(GLOB VELKARI_APP_SOURCES CONFIGURE_DEPENDS src/app/*.cpp)
list(FILTER VELKARI_APP_SOURCES EXCLUDE REGEX "/main\\.cpp$")
add_library(velkari_app STATIC ${VELKARI_APP_SOURCES})
target_link_libraries(velkari_app PUBLIC velkari_toolkit)

set(VELKARI_RC ${CMAKE_SOURCE_DIR}/resources/velkari.rc)
set(VELKARI_COMPANY "The Velkari authors")
set(VELKARI_COPYRIGHT "Copyright (c) 2026 the Velkari authors. MIT licence.")

# The glyphs and the icon are drawn as text in resources/art and turned into BMP/ICO files
# by resgen, a tool of the host tree (the Makefile builds that tree first).
set(VELKARI_RESGEN ${CMAKE_SOURCE_DIR}/build/host/resgen
    CACHE FILEPATH "resgen built by the host tree, run here to make the bitmaps and the icon")
if(NOT EXISTS ${VELKARI_RESGEN})
  message(WARNING "${VELKARI_RESGEN} does not exist yet: build the host tree first "
                  "(make host) or point VELKARI_RESGEN at a built resgen")
endif()
set(VELKARI_ART ${CMAKE_SOURCE_DIR}/resources/art)
set(VELKARI_GENERATED ${CMAKE_BINARY_DIR}/generated)
file(MAKE_DIRECTORY ${VELKARI_GENERATED})
configure_file(${CMAKE_SOURCE_DIR}/resources/version.h.in ${VELKARI_GENERATED}/version.h @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/resources/velkari.manifest.in
               ${VELKARI_GENERATED}/velkari.manifest @ONLY)
set(VELKARI_GENERATED_RESOURCES)
foreach(glyph pin font mute play note)
  set(bmp ${VELKARI_GENERATED}/glyph_${glyph}.bmp)
  add_custom_command(OUTPUT ${bmp}
                     COMMAND ${VELKARI_RESGEN} bmp24 ${VELKARI_ART}/${glyph}.txt ${bmp}
                     DEPENDS ${VELKARI_RESGEN} ${VELKARI_ART}/${glyph}.txt
                     COMMENT "Drawing glyph_${glyph}.bmp" VERBATIM)
  list(APPEND VELKARI_GENERATED_RESOURCES ${bmp})
endforeach()
set(VELKARI_ICON_ART ${VELKARI_ART}/velkari16.txt ${VELKARI_ART}/velkari20.txt
    ${VELKARI_ART}/velkari24.txt ${VELKARI_ART}/velkari32.txt)
add_custom_command(OUTPUT ${VELKARI_GENERATED}/velkari.ico
                   COMMAND ${VELKARI_RESGEN} ico ${VELKARI_GENERATED}/velkari.ico
                           ${VELKARI_ICON_ART}
                   DEPENDS ${VELKARI_RESGEN} ${VELKARI_ICON_ART}
                   COMMENT "Drawing velkari.ico" VERBATIM)
list(APPEND VELKARI_GENERATED_RESOURCES ${VELKARI_GENERATED}/velkari.ico)
set(VELKARI_KEYS ${CMAKE_SOURCE_DIR}/resources/keys)
add_custom_command(OUTPUT ${VELKARI_GENERATED}/qzkeys.bmp
                   COMMAND ${VELKARI_RESGEN} keys ${VELKARI_KEYS}/digits.txt
                           ${VELKARI_KEYS}/letters.txt ${VELKARI_GENERATED}/qzkeys.bmp
                   DEPENDS ${VELKARI_RESGEN} ${VELKARI_KEYS}/digits.txt ${VELKARI_KEYS}/letters.txt
                   COMMENT "Drawing qzkeys.bmp" VERBATIM)
list(APPEND VELKARI_GENERATED_RESOURCES ${VELKARI_GENERATED}/qzkeys.bmp)
add_custom_command(OUTPUT ${VELKARI_GENERATED}/words.bin
                   COMMAND ${VELKARI_RESGEN} words ${VELKARI_WORD_LISTS} ${VELKARI_TRADE_WORDS}
                           ${VELKARI_BANNED_WORDS} ${VELKARI_SPOKEN_WORDS} ${VELKARI_WORD_PAIRS}
                           ${VELKARI_GENERATED}/words.bin
                   DEPENDS ${VELKARI_RESGEN} ${VELKARI_WORD_LIST_FILES} ${VELKARI_TRADE_WORDS}
                           ${VELKARI_BANNED_WORDS} ${VELKARI_SPOKEN_WORDS} ${VELKARI_WORD_PAIRS}
                   COMMENT "Packing words.bin" VERBATIM)
list(APPEND VELKARI_GENERATED_RESOURCES ${VELKARI_GENERATED}/words.bin)

# One target owns the generating commands, so targets that build in parallel never run them
# twice; windres finds the files through the include path and recompiles when they change.
add_custom_target(velkari_resources DEPENDS ${VELKARI_GENERATED_RESOURCES})
set_property(SOURCE ${VELKARI_RC} APPEND PROPERTY INCLUDE_DIRECTORIES ${VELKARI_GENERATED})
set_property(SOURCE ${VELKARI_RC} APPEND PROPERTY
             OBJECT_DEPENDS ${VELKARI_GENERATED_RESOURCES} ${VELKARI_GENERATED}/version.h
                            ${VELKARI_GENERATED}/velkari.manifest
                            ${CMAKE_SOURCE_DIR}/resources/version_info.rc)
add_executable(velkari WIN32 src/app/main.cpp ${VELKARI_RC})
target_link_libraries(velkari PRIVATE velkari_app)
target_link_options(velkari PRIVATE -municode)
add_dependencies(velkari velkari_resources)
# The debug information goes to a file of its own beside the executable, which keeps only
# its build id and the debug file's name and checksum.
target_compile_options(velkari_flags INTERFACE $<$<CONFIG:Release>:-g>)
function(velkari_release_executable target)
  add_custom_command(TARGET ${target} POST_BUILD
                     COMMAND ${CMAKE_SOURCE_DIR}/tools/set-load-config $<TARGET_FILE:${target}>
                     COMMAND ${VELKARI_DATED} ${CMAKE_OBJCOPY} --only-keep-debug
                             $<TARGET_FILE:${target}> $<TARGET_FILE:${target}>.debug
                     COMMAND ${VELKARI_DATED} ${CMAKE_OBJCOPY} --strip-all
                             --add-gnu-debuglink=$<TARGET_FILE:${target}>.debug
                             $<TARGET_FILE:${target}>
                     WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}> VERBATIM)
endfunction()
velkari_release_executable(velkari)

# velkari-cli.exe: a console program with velkari.exe's manifest, icon and version, the same
# word list, and the window's file writer from the toolkit.
set(VELKARI_CLI_RC ${CMAKE_SOURCE_DIR}/resources/velkari-cli.rc)
set_property(SOURCE ${VELKARI_CLI_RC} APPEND PROPERTY INCLUDE_DIRECTORIES ${VELKARI_GENERATED})
set_property(SOURCE ${VELKARI_CLI_RC} APPEND PROPERTY
             OBJECT_DEPENDS ${VELKARI_GENERATED}/velkari.ico ${VELKARI_GENERATED}/version.h
                            ${VELKARI_GENERATED}/velkari.manifest
                            ${CMAKE_SOURCE_DIR}/resources/version_info.rc)
velkari_add_cli(${VELKARI_GENERATED}/words.bin console_windows.cpp ${VELKARI_CLI_RC})
target_link_libraries(velkari-cli PRIVATE velkari_toolkit)
target_link_options(velkari-cli PRIVATE -municode)
add_dependencies(velkari-cli velkari_resources)
velkari_release_executable(velkari-cli)

# Windows tests: one executable per folder, each linked with the program's resources so the
# forms find their version information, glyphs and pictures.
add_test(NAME wine_prefix_start COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-prefix start)
set_tests_properties(wine_prefix_start PROPERTIES FIXTURES_SETUP wine ENVIRONMENT
                     VELKARI_BUILD_DIR=${CMAKE_BINARY_DIR})
add_test(NAME wine_prefix_stop COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-prefix stop)
set_tests_properties(wine_prefix_stop PROPERTIES FIXTURES_CLEANUP wine ENVIRONMENT
                     VELKARI_BUILD_DIR=${CMAKE_BINARY_DIR})

file(GLOB VELKARI_UI_TESTS CONFIGURE_DEPENDS tests/ui/*.cpp)
add_executable(ui_tests ${VELKARI_UI_TESTS} tests/support/accessible_client.cpp ${VELKARI_RC})
target_link_libraries(ui_tests PRIVATE velkari_app velkari_doctest)
target_include_directories(ui_tests PRIVATE tests)
add_dependencies(ui_tests velkari_resources)
add_test(NAME ui_tests COMMAND ui_tests)
set_tests_properties(ui_tests PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK desktop
                     ENVIRONMENT VELKARI_BUILD_DIR=${CMAKE_BINARY_DIR} TIMEOUT 900)

# The windows' layout again at 150 % and 200 %, and at the odd 125 % and 175 %, each display
# scale in a prefix of its own (its LogPixels set when the prefix is made), with a wineserver
# of its own.
foreach(dpi 144 192 120 168)
  set(dpi_env VELKARI_BUILD_DIR=${CMAKE_BINARY_DIR}/dpi${dpi} VELKARI_DPI=${dpi})
  add_test(NAME wine_prefix_start_${dpi} COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-prefix start)
  set_tests_properties(wine_prefix_start_${dpi} PROPERTIES FIXTURES_SETUP wine_${dpi}
                       ENVIRONMENT "${dpi_env}")
  add_test(NAME wine_prefix_stop_${dpi} COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-prefix stop)
  set_tests_properties(wine_prefix_stop_${dpi} PROPERTIES FIXTURES_CLEANUP wine_${dpi}
                       ENVIRONMENT "${dpi_env}")
  add_test(NAME ui_tests_${dpi} COMMAND ui_tests --test-suite=display*)
  set_tests_properties(ui_tests_${dpi} PROPERTIES FIXTURES_REQUIRED wine_${dpi}
                       RESOURCE_LOCK desktop ENVIRONMENT "${dpi_env}" TIMEOUT 240)
endforeach()

# The executable as a user gets it: imports, header, version, manifest, icon and notices.
add_test(NAME release_check COMMAND ${CMAKE_SOURCE_DIR}/tools/check-release
                                    $<TARGET_FILE:velkari> ${PROJECT_VERSION})
add_test(NAME release_check_cli COMMAND ${CMAKE_SOURCE_DIR}/tools/check-release
                                        $<TARGET_FILE:velkari-cli> ${PROJECT_VERSION})
add_custom_target(dist COMMAND ${VELKARI_DATED} ${CMAKE_SOURCE_DIR}/tools/dist
                               $<TARGET_FILE:velkari> $<TARGET_FILE:velkari-cli>
                               ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}
                  DEPENDS velkari velkari-cli VERBATIM)

# The pictures that the picture tests save, read again by ImageMagick on the build machine.
add_test(NAME saved_pictures_imagemagick
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/ui/check_saved_pictures.sh ${CMAKE_BINARY_DIR})
set_property(TEST ui_tests APPEND PROPERTY FIXTURES_SETUP saved_pictures)
set_tests_properties(saved_pictures_imagemagick PROPERTIES FIXTURES_REQUIRED saved_pictures)

# velkari-cli.exe through a pipe and a file, and its files beside the ones the window saved.
add_test(NAME cli_wine_runs COMMAND bash ${CMAKE_SOURCE_DIR}/tests/cli/wine_runs.sh)
set_tests_properties(cli_wine_runs PROPERTIES FIXTURES_REQUIRED "wine;saved_tones;saved_pictures"
                     ENVIRONMENT VELKARI_BUILD_DIR=${CMAKE_BINARY_DIR} TIMEOUT 120)

# The number sounds that the tone tests wrote, heard by multimon-ng on the build machine.
add_test(NAME saved_tones_multimon
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/ui/check_saved_tones.sh ${CMAKE_BINARY_DIR})
set_property(TEST ui_tests APPEND PROPERTY FIXTURES_SETUP saved_tones)
set_tests_properties(saved_tones_multimon PROPERTIES FIXTURES_REQUIRED saved_tones)

file(GLOB VELKARI_WIN_BENCH CONFIGURE_DEPENDS bench/win/*.cpp)
foreach(bench_source ${VELKARI_WIN_BENCH})
  get_filename_component(bench_name ${bench_source} NAME_WE)
  add_executable(${bench_name} ${bench_source} ${VELKARI_RC})
  target_link_libraries(${bench_name} PRIVATE velkari_app)
  add_dependencies(${bench_name} velkari_resources)
endforeach()

# End-to-end scenarios: the real program and Wine's own programs, driven with xdotool.
add_executable(e2e_probe tests/e2e/probe.cpp tests/support/accessible_client.cpp)
target_include_directories(e2e_probe PRIVATE tests)
target_link_libraries(e2e_probe PRIVATE oleacc oleaut32 ole32 uuid)
target_link_options(e2e_probe PRIVATE -municode)
add_executable(e2e_tel_recorder WIN32 tests/e2e/tel_recorder.cpp)
target_link_options(e2e_tel_recorder PRIVATE -municode)
# The library that planted_dlls.sh plants beside velkari.exe: an archive, which the scenario
# links into one DLL for each name, with the exports the program imports from that name.
add_library(e2e_planted STATIC tests/e2e/planted_dll.c)
target_link_libraries(e2e_planted PRIVATE velkari_flags)
set_target_properties(e2e_planted PROPERTIES ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
file(GLOB VELKARI_E2E_SCRIPTS CONFIGURE_DEPENDS tests/e2e/*.sh)
list(FILTER VELKARI_E2E_SCRIPTS EXCLUDE REGEX "/(lib|high_contrast|dark_mode)\\.sh$")
foreach(script ${VELKARI_E2E_SCRIPTS})
  get_filename_component(scenario ${script} NAME_WE)
  add_test(NAME e2e_${scenario} COMMAND bash ${script})
  set_tests_properties(e2e_${scenario} PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK desktop
                       ENVIRONMENT VELKARI_BUILD_DIR=${CMAKE_BINARY_DIR} TIMEOUT 300)
endforeach()
set_property(TEST e2e_planted_dlls APPEND PROPERTY ENVIRONMENT
             VELKARI_C_COMPILER=${CMAKE_C_COMPILER})

# A scenario in a Wine prefix of its own, started before it and stopped after it.
function(velkari_scenario_in_own_prefix prefix scenario)
  set(env ${ARGN} VELKARI_BUILD_DIR=${CMAKE_BINARY_DIR}/${prefix}
      VELKARI_PROGRAM_DIR=${CMAKE_BINARY_DIR})
  foreach(step start stop)
    add_test(NAME wine_prefix_${step}_${prefix} COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-prefix ${step})
    set_tests_properties(wine_prefix_${step}_${prefix} PROPERTIES ENVIRONMENT "${env}")
  endforeach()
  set_tests_properties(wine_prefix_start_${prefix} PROPERTIES FIXTURES_SETUP wine_${prefix})
  set_tests_properties(wine_prefix_stop_${prefix} PROPERTIES FIXTURES_CLEANUP wine_${prefix})
  add_test(NAME e2e_${scenario} COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/${scenario}.sh)
  set_tests_properties(e2e_${scenario} PROPERTIES FIXTURES_REQUIRED wine_${prefix}
                       RESOURCE_LOCK desktop ENVIRONMENT "${env}" TIMEOUT 300)
endfunction()
# High contrast: system colours white on black.
velkari_scenario_in_own_prefix(contrast high_contrast VELKARI_CONTRAST=high)
# Dark mode switched on and off while the program runs: the app mode it sets never reaches
# another scenario.
velkari_scenario_in_own_prefix(dark dark_mode)
