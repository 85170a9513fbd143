# Lists the tests of each test program given after "--" twice and fails
# when a listing differs between the two runs or shows a parameter as raw
# bytes ("N-byte object <...>"), which holds addresses and changes from run
# to run: every parameter of a parameterised test prints as text.
#
#   cmake -P check_test_names.cmake -- <test program>...
set(programs)
set(after_dashes OFF)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(i RANGE ${last})
  if(after_dashes)
    list(APPEND programs "${CMAKE_ARGV${i}}")
  elseif("${CMAKE_ARGV${i}}" STREQUAL "--")
    set(after_dashes ON)
  endif()
endforeach()
if(NOT programs)
  message(FATAL_ERROR "no test program given")
endif()

set(faults "")
foreach(program IN LISTS programs)
  get_filename_component(name "${program}" NAME)
  foreach(run first second)
    execute_process(COMMAND "${program}" --gtest_list_tests
                    OUTPUT_VARIABLE listing_${run} RESULT_VARIABLE code)
    if(NOT code EQUAL 0)
      string(APPEND faults "${name}: listing its tests ends with ${code}\n")
    endif()
  endforeach()
  if(NOT listing_first STREQUAL listing_second)
    string(APPEND faults "${name}: the tests list differently from run to run\n")
  endif()
  string(REGEX MATCHALL "[^\n]*byte object[^\n]*" raw "${listing_first}")
  foreach(line IN LISTS raw)
    string(APPEND faults "${name}: ${line}\n")
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "test names that change from run to run:\n${faults}")
endif()
