# Build settings shared by every target, and the helpers that define the
# programs and the tests of both lanes.

# Our own warnings. The presets also set CMAKE_COMPILE_WARNING_AS_ERROR, so
# any warning fails the build the test command makes.
set(PROJECT_WARNINGS -Wall -Wextra)
add_compile_options(${PROJECT_WARNINGS})

if(ENABLE_FUZZING)
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    # The sanitizers' checks make the library's one-line accessors (string
    # and vector indexing, sizes) too big for clang's usual inlining limit,
    # and each call then costs more than its work. Every check stays.
    add_compile_options("SHELL:-mllvm -inline-threshold=1000")
    add_link_options(-fsanitize=address,undefined)
elseif(ENABLE_SANITIZERS)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32)
    enable_language(RC)
    # Windows texts are in the system code page; the resource compiler reads ours as 1252.
    set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 1252")
    add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
    # The program directory: the three programs, the stand-ins, conf, the help file.
    set(DIST_DIR ${CMAKE_BINARY_DIR}/dist)
    # Stand-ins that only tests start (they play parts of the user's desktop).
    set(TESTBIN_DIR ${CMAKE_BINARY_DIR}/testbin)
endif()

# googletest is not ours: it builds with its own warning flags, and a
# warning in it does not fail our build.
function(add_googletest)
    get_directory_property(ours COMPILE_OPTIONS)
    set(theirs ${ours})
    list(REMOVE_ITEM theirs ${PROJECT_WARNINGS})
    set_directory_properties(PROPERTIES COMPILE_OPTIONS "${theirs}")
    set(CMAKE_COMPILE_WARNING_AS_ERROR OFF)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    set_directory_properties(PROPERTIES COMPILE_OPTIONS "${ours}")
endfunction()

# Windows path of a directory of the build tree, as a program under Wine sees it.
function(wine_path out unix_path)
    string(REPLACE "/" "\\\\" p "${unix_path}")
    set(${out} "Z:${p}" PARENT_SCOPE)
endfunction()

# A Windows GUI program laid out in the program directory, with its own
# resource script (icons, strings, version information, manifest).
function(add_windows_program name)
    cmake_parse_arguments(P "" "RC" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} WIN32 ${P_SOURCES} ${P_RC})
    target_link_libraries(${name} PRIVATE ${P_LIBS})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${DIST_DIR})
endfunction()

# What a Windows test shares with tests running at the same time. LOCKS are
# taken alone. A resource of test-resources.json (which scripts/wine-ctest.sh
# hands to CTest) is READ by any number of tests at once, but one that WRITES
# it runs alone among them: it takes every slot the file gives it.
set(TEST_RESOURCE_SLOTS 8)
if(WIN32)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/test-resources.json.in ${CMAKE_BINARY_DIR}/test-resources.json @ONLY)
endif()

# A GoogleTest executable. Native tests are listed case by case; Windows test
# executables run as one CTest test each, since every Wine start costs time.
# MAIN replaces GoogleTest's own main. FOLDER gives the executable a folder of
# its own; with SHARDS n its cases are split over n CTest tests that run side
# by side, each a copy of the executable in a folder of its own beside it
# (FOLDER_1 ... FOLDER_n), since the folder holds what the cases write.
function(add_gtest name)
    cmake_parse_arguments(T "" "MAIN;FOLDER;SHARDS" "SOURCES;LIBS;LOCKS;READS;WRITES;LABELS" ${ARGN})
    if(NOT T_MAIN)
        set(T_MAIN GTest::gtest_main)
    endif()
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} ${T_MAIN})
    if(T_FOLDER)
        set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${T_FOLDER})
    endif()
    if(NOT WIN32)
        include(GoogleTest)
        gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30)
        return()
    endif()
    if(T_SHARDS)
        set(tests "")
        foreach(shard RANGE 1 ${T_SHARDS})
            add_test_shard(${name} ${T_FOLDER}_${shard} ${shard} ${T_SHARDS})
            list(APPEND tests ${name}_${shard})
        endforeach()
    else()
        add_test(NAME ${name} COMMAND ${name})
        set(tests ${name})
    endif()
    if(T_LOCKS)
        set_tests_properties(${tests} PROPERTIES RESOURCE_LOCK "${T_LOCKS}")
    endif()
    set(slots ${T_READS})
    list(TRANSFORM slots APPEND ":1")
    foreach(resource IN LISTS T_WRITES)
        list(APPEND slots ${resource}:${TEST_RESOURCE_SLOTS})
    endforeach()
    if(slots)
        list(JOIN slots "," group)
        set_tests_properties(${tests} PROPERTIES RESOURCE_GROUPS "${group}")
    endif()
    if(T_LABELS)
        set_tests_properties(${tests} PROPERTIES LABELS "${T_LABELS}")
    endif()
endfunction()

# Shard <shard> of <count> of a Windows test executable: a copy of it in that
# folder, run with GoogleTest's sharding variables.
function(add_test_shard name folder shard count)
    add_custom_command(TARGET ${name} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${name}> ${folder}/)
    math(EXPR index "${shard} - 1")
    add_test(NAME ${name}_${shard} COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} ${folder}/$<TARGET_FILE_NAME:${name}>)
    set_tests_properties(${name}_${shard} PROPERTIES
        ENVIRONMENT "GTEST_TOTAL_SHARDS=${count};GTEST_SHARD_INDEX=${index}")
endfunction()

# A Windows test run again in another locale, which names the code page Wine
# gives its programs (EXPECTED_CODE_PAGE tells the test which to expect).
# The locale is built from Debian's sources (package locales) into the build
# tree, so the machine needs no change. These runs take turns in a Wine
# prefix of their own: Wine rewrites a prefix's regional settings each time a
# program starts in another locale than the last, and the other tests would
# meet those. Arguments after the code page are the test's command.
function(add_locale_test name locale code_page)
    set(locales ${CMAKE_BINARY_DIR}/locales)
    if(NOT TARGET locale_${locale})
        find_program(LOCALEDEF localedef REQUIRED)
        string(REGEX REPLACE "[.].*" "" source ${locale})
        add_custom_command(OUTPUT ${locales}/${locale}/LC_CTYPE
            COMMAND ${CMAKE_COMMAND} -E make_directory ${locales}
            COMMAND ${LOCALEDEF} -i ${source} -f UTF-8 ${locales}/${locale}
            COMMENT "Building the locale ${locale}")
        add_custom_target(locale_${locale} ALL DEPENDS ${locales}/${locale}/LC_CTYPE)
    endif()
    add_test(NAME ${name} COMMAND ${ARGN})
    set(prefix ${CMAKE_BINARY_DIR}/wineprefix-locales/prefix)
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "LC_ALL=${locale};LOCPATH=${locales};EXPECTED_CODE_PAGE=${code_page};WINEPREFIX=${prefix}"
        RESOURCE_LOCK wineprefix_locales)
endfunction()

# The resources of one program: its version block and manifest, the string
# table copy it carries (console or client) and the shared pictures.
function(add_program_resources target variant description)
    set(PROGRAM_NAME ${target})
    set(PROGRAM_FILE ${target}.exe)
    set(PROGRAM_DESCRIPTION "${description}")
    set(MANIFEST_PATH ${PROJECT_SOURCE_DIR}/resources/app.manifest)
    set(FILE_TYPE VFT_APP)
    string(REPLACE "." "," VERSION_COMMAS "${PROJECT_VERSION}.0")
    configure_file(${PROJECT_SOURCE_DIR}/resources/program.rc.in
                   ${CMAKE_CURRENT_BINARY_DIR}/${target}_program.rc @ONLY)
    target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}_program.rc)
    target_link_libraries(${target} PRIVATE res_strings_${variant} res_images)
endfunction()
