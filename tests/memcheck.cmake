# Plays one lost game with the real executable under valgrind, in a folder of its own that starts
# from "standings.txt" holding counter 0, where discarding the first card turn after turn loses.
# Fails on any memory error, on definitely or indirectly lost bytes, on a run that does not end
# normally, or on a file that does not hold the game.
#   cmake -DVALGRIND=... -DGAME=... -DFOLDER=... -P memcheck.cmake
set(MEMORY_ERRORS 99) # the status valgrind answers with on an error or a lost byte
file(REMOVE_RECURSE ${FOLDER})
file(MAKE_DIRECTORY ${FOLDER})
file(WRITE ${FOLDER}/standings.txt "0\n~\n")
# The pauses take the empty lines; the line after the last turn answers "no" to another game.
string(REPEAT "\n\n\n\n14\n1\n" 300 turns)
file(WRITE ${FOLDER}/keys "Ann\nPongi\nh\n${turns}")
execute_process(
  COMMAND ${VALGRIND} --quiet --leak-check=full --errors-for-leak-kinds=definite,indirect
          --error-exitcode=${MEMORY_ERRORS} ${GAME}
  WORKING_DIRECTORY ${FOLDER}
  INPUT_FILE ${FOLDER}/keys
  OUTPUT_FILE ${FOLDER}/screen.txt
  ERROR_VARIABLE report
  RESULT_VARIABLE status)
file(READ ${FOLDER}/standings.txt standings)

if(status EQUAL MEMORY_ERRORS)
  message(FATAL_ERROR "valgrind found memory errors or lost bytes:\n${report}")
elseif(NOT status STREQUAL "0")
  message(FATAL_ERROR "the run ended with status ${status}, not 0:\n${report}")
elseif(NOT standings STREQUAL "1\nAnn 0 1 0 1 0\n~\n")
  message(FATAL_ERROR "standings.txt does not hold the lost game:\n${standings}")
endif()
message(STATUS "a game under valgrind: no errors, no lost bytes\n${report}")
