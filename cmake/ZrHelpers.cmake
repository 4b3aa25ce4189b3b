# Warnings on for every target of the project.
function(zr_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /utf-8)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra)
  endif()
endfunction()

# Builds one test program from the given sources and registers it with CTest.
# Cross-compiled tests run through CMAKE_CROSSCOMPILING_EMULATOR (Wine).
function(zr_add_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE zr_test_main)
  # The test code itself unoptimised (the code under test keeps the build's optimisation):
  # it compiles in about two thirds of the time, and runs as fast as the tests need.
  if(NOT MSVC)
    target_compile_options(${name} PRIVATE -O0)
  endif()
  zr_warnings(${name})
  add_test(NAME ${name} COMMAND ${name})
endfunction()
