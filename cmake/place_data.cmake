# Copies the game's data beside the program. Run at every build; scores.dat is copied only when
# there is none yet, so a rebuild never erases a player's record.
file(COPY ${SOURCE}/pictures ${SOURCE}/sounds DESTINATION ${DESTINATION})
if(NOT EXISTS ${DESTINATION}/scores.dat)
  file(COPY ${SOURCE}/scores.dat DESTINATION ${DESTINATION})
endif()
