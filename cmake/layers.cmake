# The game's layers, lowest first. Each layer is a library that links only the layers below it,
# and no file may include a header of a higher layer (cmake/check_layers.cmake checks this, and
# that no two modules include each other's headers):
#
#   core         the text string, the console readers, the random generator
#   cards        the card catalogue and the endless deck
#   match_state  the kingdoms of a match, the troop orders, the discard and command entry
#   specials     the six special cards
#   match        the turn loop, the dispatch of a move, the computer opponent
#   driver       the game driver, the standings file, the regions (every file under driver/)
#
# A file of the game outside driver/ belongs to exactly one of the lists below.
set(REALMSFALL_LAYERS core cards match_state specials match)

set(REALMSFALL_core_FILES
  core/string.h core/string.cpp
  core/stream_scan.h core/stream_scan.cpp
  core/console.h core/console.cpp
  core/random.h core/random.cpp)
set(REALMSFALL_cards_FILES
  cards/cards.h cards/cards.cpp
  cards/deck.h cards/deck.cpp)
set(REALMSFALL_match_state_FILES
  match/kingdom.h
  match/orders.h match/orders.cpp
  match/discard.h match/discard.cpp
  match/command.h match/command.cpp)
set(REALMSFALL_specials_FILES
  specials/specials.h
  specials/menu.h specials/menu.cpp
  specials/thieves.cpp
  specials/divine_intervention.cpp
  specials/clerics.cpp
  specials/summoners.cpp
  specials/bones_of_fate.cpp
  specials/time_twist.cpp)
set(REALMSFALL_match_FILES
  match/play.h match/play.cpp
  match/computer.h match/computer.cpp
  match/match.h match/match.cpp)
