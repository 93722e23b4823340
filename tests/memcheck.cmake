# Plays the three-game script with the real executable under valgrind, in a folder of its own
# that starts from a fresh "standings.txt". Fails on any memory error, on definitely or
# indirectly lost bytes, on a run that does not end normally, or on a file that does not hold
# the three games.
#   cmake -DVALGRIND=... -DGAME=... -DSCRIPT=... -DFOLDER=... -P memcheck.cmake
foreach(needed VALGRIND GAME SCRIPT FOLDER)
  if(NOT DEFINED ${needed})
    message(FATAL_ERROR "memcheck.cmake needs -D${needed}=...")
  endif()
endforeach()

set(MEMORY_ERRORS 99) # the status valgrind answers with on an error or a lost byte
file(REMOVE_RECURSE ${FOLDER})
file(MAKE_DIRECTORY ${FOLDER})
file(WRITE ${FOLDER}/standings.txt "0\n~\n")
execute_process(
  COMMAND ${VALGRIND} --quiet --leak-check=full --errors-for-leak-kinds=definite,indirect
          --error-exitcode=${MEMORY_ERRORS} ${GAME}
  WORKING_DIRECTORY ${FOLDER}
  INPUT_FILE ${SCRIPT}
  OUTPUT_FILE ${FOLDER}/screen.txt
  ERROR_VARIABLE report
  RESULT_VARIABLE status)
file(READ ${FOLDER}/standings.txt standings)

if(status EQUAL MEMORY_ERRORS)
  message(FATAL_ERROR "valgrind found memory errors or lost bytes:\n${report}")
elseif(NOT status STREQUAL "0")
  message(FATAL_ERROR "the run ended with status ${status}, not 0:\n${report}")
elseif(NOT standings STREQUAL "3\nAnn 0 3 0 3 0\n~\n")
  message(FATAL_ERROR "standings.txt does not hold three lost games:\n${standings}")
endif()
message(STATUS "three games under valgrind: no errors, no lost bytes\n${report}")
file(REMOVE_RECURSE ${FOLDER})
