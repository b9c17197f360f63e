# Helpers shared by every module's CMakeLists.

# Our own code builds with every warning on; third-party headers are included
# as system headers, so their warnings stay theirs. Warnings are errors where
# they help us (PELLOR_WERROR: CI and developer builds) but not in a user's or
# packager's build, where a newer compiler's false alarm must not stop it.
function(pellor_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  # GCC 12's -O3 inlining makes its flow-based checks report overlaps and
  # overflows inside libstdc++ for ordinary string concatenation and vector
  # growth (known false alarms of that release). They stay on in every other
  # build type, where they do not misfire.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE
      $<$<CONFIG:Release>:-Wno-restrict -Wno-array-bounds -Wno-stringop-overflow -Wno-free-nonheap-object>)
  endif()
  if(PELLOR_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# pellor_module(<target> <folder> [EXCLUDE <regex>] [DEPS <targets or imported libraries>...])
# A static library of every .cpp under <folder>. Headers are included by their
# path from the repository root ("Platform/Json/JsonValue.h").
function(pellor_module target folder)
  cmake_parse_arguments(ARG "" "EXCLUDE" "DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${folder}/*.cpp")
  if(ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${ARG_EXCLUDE}")
  endif()
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC "$<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>"
                                              "$<INSTALL_INTERFACE:include/pellor>")
  target_link_libraries(${target} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
  pellor_warnings(${target})
endfunction()

# pellor_test(<name> <folder under tests/> LIBS <targets>... [ENVIRONMENT <VAR=value>...] [LABELS <labels>...])
# One GoogleTest executable of every .cpp in the folder, registered with CTest;
# each discovered test runs with the given environment and carries the labels.
function(pellor_test name folder)
  cmake_parse_arguments(ARG "" "" "LIBS;ENVIRONMENT;LABELS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/tests/${folder}/*.cpp")
  if(NOT sources)
    message(STATUS "${name}: no tests in tests/${folder} yet")
    return()
  endif()
  # The sanitizers' suppressions must be in the program itself, not in a library it links.
  # So must the limit on its memory, set up before main().
  add_executable(${name} ${sources} ${PROJECT_SOURCE_DIR}/tests/Support/LeakSuppressions.cpp
                 ${PROJECT_SOURCE_DIR}/tests/Support/ThreadSanitizerSuppressions.cpp
                 ${PROJECT_SOURCE_DIR}/tests/Support/MemoryLimit.cpp)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} pellor_testsupport GTest::gtest GTest::gtest_main GTest::gmock)
  pellor_warnings(${name})
  if(ARG_ENVIRONMENT AND ARG_LABELS)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}" LABELS "${ARG_LABELS}")
  elseif(ARG_ENVIRONMENT)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}")
  elseif(ARG_LABELS)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS "${ARG_LABELS}")
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()

# pellor_bench(<name> <source files>... LIBS <targets>...)
function(pellor_bench name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark benchmark::benchmark_main)
  target_compile_definitions(${name} PRIVATE PELLOR_CORPUS_DIR="${PELLOR_CORPUS_DIR}")
  pellor_warnings(${name})
endfunction()
