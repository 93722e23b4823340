# Plays one lost game with the real executable under valgrind, in a folder of its own whose
# "standings.txt" holds counter 0, discarding the first card turn after turn; the line after the
# last turn answers "no" to another game. Fails on any memory error, on definitely or indirectly
# lost bytes (valgrind then answers 99), on a run that does not end normally, or on a file that
# does not hold the game.  cmake -DVALGRIND=... -DGAME=... -DFOLDER=... -P memcheck.cmake
file(REMOVE_RECURSE ${FOLDER})
file(WRITE ${FOLDER}/standings.txt "0\n~\n")
string(REPEAT "\n\n\n\n14\n1\n" 300 turns)
file(WRITE ${FOLDER}/keys "Ann\nPongi\nh\n${turns}")
execute_process(
  COMMAND ${VALGRIND} --quiet --leak-check=full --errors-for-leak-kinds=definite,indirect
          --error-exitcode=99 ${GAME}
  WORKING_DIRECTORY ${FOLDER} INPUT_FILE ${FOLDER}/keys OUTPUT_FILE ${FOLDER}/screen.txt
  ERROR_VARIABLE report RESULT_VARIABLE status)
file(READ ${FOLDER}/standings.txt standings)
if(status EQUAL 99)
  message(FATAL_ERROR "valgrind found memory errors or lost bytes:\n${report}")
elseif(NOT status STREQUAL "0")
  message(FATAL_ERROR "the run ended with status ${status}, not 0:\n${report}")
elseif(NOT standings STREQUAL "1\nAnn 0 1 0 1 0\n~\n")
  message(FATAL_ERROR "standings.txt does not hold the lost game:\n${standings}")
endif()
message(STATUS "a game under valgrind: no errors, no lost bytes\n${report}")
