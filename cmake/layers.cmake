# The game's layers, lowest first. Each layer is a library that links only the layers below it,
# and no file may include a header of a higher layer (cmake/check_layers.cmake checks this, and
# that no two modules include each other's headers):
#
#   core         the text string, the console readers, the random generator
#   cards        the card catalogue and the endless deck
#   match_state  the kingdoms of a match, the troop orders, the discard and command entry
#   specials     the six special cards
#   match        the turn loop, the dispatch of a move, the computer opponent and its levels
#   platform     the driver's corner of the system: the careful file and its locks, the
#                standings file and its records, the signals, the keyboard, the rules and their
#                pager
#   game         the driver: a run's games, the regions, the deal, the levels' files, the
#                complaints and exit statuses, the command line, the scores view
#   entry        the program's entry point, which the executable adds to the game's library
#
# Every file of the game belongs to exactly one of the lists below.
set(REALMSFALL_LAYERS core cards match_state specials match platform game)
set(REALMSFALL_CHECKED_LAYERS ${REALMSFALL_LAYERS} entry)

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
  match/levels.h match/levels.cpp match/easy.cpp match/hard.cpp
  match/match.h match/match.cpp)
set(REALMSFALL_platform_FILES
  driver/careful_file.h driver/careful_file.cpp
  driver/signals.h driver/signals.cpp
  driver/keyboard.h driver/keyboard.cpp
  driver/standings.h driver/standings.cpp
  driver/standings_file.h driver/standings_file.cpp
  driver/rules.h driver/rules.cpp)
set(REALMSFALL_game_FILES
  driver/regions.h driver/regions.cpp
  driver/complaints.h driver/complaints.cpp
  driver/deal.h driver/deal.cpp
  driver/levels.h driver/levels.cpp
  driver/game.h driver/game.cpp
  driver/scores.h driver/scores.cpp
  driver/options.h driver/options.cpp)
set(REALMSFALL_entry_FILES
  driver/main.cpp)
