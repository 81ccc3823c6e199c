# Shared build rules: warnings, sanitizers, one static library per folder, test executables.
include(GoogleTest)

set(QN_SOURCE_ROOT ${PROJECT_SOURCE_DIR}/src)
set(QN_ARTIFACT_DIR ${PROJECT_BINARY_DIR}/test-artifacts)
file(MAKE_DIRECTORY ${QN_ARTIFACT_DIR})

# QN_SANITIZE: ON for AddressSanitizer (with LeakSanitizer) and UndefinedBehaviorSanitizer, "thread"
# for ThreadSanitizer. Both halt on the first error.
if(QN_SANITIZE STREQUAL "thread")
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
elseif(QN_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()

# The fuzzers need coverage of the code they drive, not only of their own file.
if(QN_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# Widget tests run once more under valgrind memcheck (label "memcheck"): ASan cannot see a freed
# block that is read inside Qt, which is not instrumented. Off in sanitizer builds.
find_program(QN_VALGRIND valgrind)
if(QN_VALGRIND AND NOT QN_SANITIZE)
    set(QN_MEMCHECK_DEFAULT ON)
else()
    set(QN_MEMCHECK_DEFAULT OFF)
endif()
option(QN_MEMCHECK "Run the widget tests under valgrind memcheck as well" ${QN_MEMCHECK_DEFAULT})

# Warnings as errors on our own targets only; third-party headers come in as system includes.
function(qn_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
    # GCC 12 warns about overlapping copies inside inlined std::string code at -O3 where there are
    # none (its bug 105651); keep the warning, but do not let it fail Release builds.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(${target} PRIVATE -Wno-error=restrict)
    endif()
endfunction()

# qn_library(<name> [QT] SOURCES ... [DEPS ...])
# A static library of one folder. QT marks a library that uses Qt (moc on, Qt Widgets linked);
# plain-C++ libraries must not pass it. The plain ones join the global property QN_PLAIN_TARGETS,
# which the target plain_layers builds (make test-null).
function(qn_library name)
    cmake_parse_arguments(ARG "QT" "" "SOURCES;DEPS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${QN_SOURCE_ROOT})
    qn_warnings(${name})
    if(ARG_QT)
        set_target_properties(${name} PROPERTIES AUTOMOC ON AUTORCC ON)
        target_link_libraries(${name} PUBLIC Qt6::Widgets)
    else()
        set_property(GLOBAL APPEND PROPERTY QN_PLAIN_TARGETS ${name})
    endif()
    if(ARG_DEPS)
        target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    endif()
endfunction()

# qn_test(<name> LABEL unit|widget [kernel] [KERNEL_CASES <gtest filter>] [PLATFORM_CASES <regex>]
#         SOURCES ... [DEPS ...])
# One GoogleTest executable. Labels say what a test needs: "unit" nothing, "widget" Qt (offscreen),
# "kernel" root for a private network namespace. KERNEL_CASES names the cases of a mixed executable
# that need root; they get the label "kernel" instead of the first label. PLATFORM_CASES matches the
# cases that need a real platform's services (settings files on disk, file locks, the version
# resource, the kernel's interfaces); they also get the label "platform", and the null platform's
# run (make test-null) leaves them out. Unit executables join QN_PLAIN_TARGETS. Widget tests get a main
# that selects the offscreen platform when none is set and owns the QApplication; the others use
# gtest_main. Widget tests that do not need root also run under valgrind (label "memcheck").
function(qn_test name)
    cmake_parse_arguments(ARG "" "KERNEL_CASES;PLATFORM_CASES" "LABEL;SOURCES;DEPS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    qn_warnings(${name})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_compile_definitions(${name} PRIVATE
        QN_TEST_ARTIFACT_DIR="${QN_ARTIFACT_DIR}"
        QN_TEST_SOURCE_DIR="${PROJECT_SOURCE_DIR}/tests")
    list(GET ARG_LABEL 0 kind)
    if(kind STREQUAL "widget")
        set_target_properties(${name} PROPERTIES AUTOMOC ON)
        target_link_libraries(${name} PRIVATE qn_test_widget_main GTest::gmock Qt6::Widgets Qt6::Test)
    else()
        target_link_libraries(${name} PRIVATE GTest::gtest_main GTest::gmock)
    endif()
    if(kind STREQUAL "unit")
        set_property(GLOBAL APPEND PROPERTY QN_PLAIN_TARGETS ${name})
    endif()
    if(ARG_DEPS)
        target_link_libraries(${name} PRIVATE ${ARG_DEPS})
    endif()
    if(CMAKE_CROSSCOMPILING)
        # Under an emulator every start costs time: one CTest test per executable, kernel cases apart.
        if(ARG_KERNEL_CASES)
            add_test(NAME ${name} COMMAND ${name} --gtest_filter=-${ARG_KERNEL_CASES})
            add_test(NAME ${name}.kernel COMMAND ${name} --gtest_filter=${ARG_KERNEL_CASES})
            set_tests_properties(${name}.kernel PROPERTIES LABELS kernel)
            set(tests ${name} ${name}.kernel)
        else()
            add_test(NAME ${name} COMMAND ${name})
            set(tests ${name})
        endif()
        set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABEL}")
        # A private Wine prefix of this build (make test-windows creates it), quiet and headless.
        set_tests_properties(${tests} PROPERTIES TIMEOUT 300 ENVIRONMENT
            "WINEPREFIX=${PROJECT_BINARY_DIR}/wine-prefix;WINEDEBUG=-all;WINEDLLOVERRIDES=mscoree,mshtml=")
        return()
    endif()
    if(ARG_KERNEL_CASES)
        gtest_discover_tests(${name} TEST_FILTER "-${ARG_KERNEL_CASES}" TEST_LIST ${name}_plain
            DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
        gtest_discover_tests(${name} TEST_FILTER "${ARG_KERNEL_CASES}" TEST_LIST ${name}_kernel
            DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
        set(labels "set_tests_properties(\${${name}_plain} PROPERTIES LABELS \"${ARG_LABEL}\")\n")
        string(APPEND labels "set_tests_properties(\${${name}_kernel} PROPERTIES LABELS kernel)\n")
    else()
        gtest_discover_tests(${name}
            DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
        set(labels "set_tests_properties(\${${name}_TESTS} PROPERTIES LABELS \"${ARG_LABEL}\")\n")
    endif()
    if(ARG_PLATFORM_CASES)
        string(APPEND labels "foreach(t IN LISTS ${name}_TESTS ${name}_plain)\n"
            "    if(t MATCHES \"${ARG_PLATFORM_CASES}\")\n"
            "        set_tests_properties(\${t} PROPERTIES LABELS \"${ARG_LABEL};platform\")\n"
            "    endif()\n"
            "endforeach()\n")
    endif()
    # Labels go on after discovery: a list of them does not survive the discovery script's PROPERTIES.
    set(script ${CMAKE_CURRENT_BINARY_DIR}/${name}_labels.cmake)
    file(WRITE ${script} "${labels}")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${script})
    if(QN_MEMCHECK AND kind STREQUAL "widget" AND NOT "kernel" IN_LIST ARG_LABEL)
        qn_memcheck(${name})
    endif()
endfunction()

# The whole executable in one valgrind run: Qt's start-up under valgrind costs seconds, so one run
# per case would take far longer. Leaks are LeakSanitizer's job in the sanitizer build. Regular
# expressions run interpreted there: memcheck cannot follow the code PCRE2's JIT writes at run time.
function(qn_memcheck name)
    add_test(NAME memcheck.${name}
        COMMAND ${QN_VALGRIND} --tool=memcheck --error-exitcode=97 --leak-check=no --track-origins=yes
                --num-callers=30 --gen-suppressions=all
                --suppressions=${PROJECT_SOURCE_DIR}/tests/sanitize/valgrind.supp
                $<TARGET_FILE:${name}>)
    set_tests_properties(memcheck.${name} PROPERTIES
        LABELS memcheck TIMEOUT 1800 ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_ENABLE_REGEXP_JIT=0")
endfunction()

# qn_fuzz(<name> SOURCES ... [DEPS ...])
# A libFuzzer target, run for a bounded time by CTest (label "fuzz") from a writable copy of its
# seed corpus, after replaying every saved crash case from tests/fuzz/regressions/<name>/.
function(qn_fuzz name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    qn_warnings(${name})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    if(ARG_DEPS)
        target_link_libraries(${name} PRIVATE ${ARG_DEPS})
    endif()
    set(seeds ${PROJECT_SOURCE_DIR}/tests/fuzz/corpus/${name})
    set(regressions ${PROJECT_SOURCE_DIR}/tests/fuzz/regressions/${name})
    set(corpus ${PROJECT_BINARY_DIR}/fuzz-corpus/${name})
    add_test(NAME ${name}
        COMMAND ${CMAKE_COMMAND} -DFUZZER=$<TARGET_FILE:${name}> -DSEEDS=${seeds}
                -DREGRESSIONS=${regressions} -DCORPUS=${corpus} -DSECONDS=20
                -P ${PROJECT_SOURCE_DIR}/cmake/RunFuzzer.cmake)
    set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT 300)
endfunction()
