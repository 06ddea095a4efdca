# Assemble build/game: the hand-written content plus the executable (its output directory is set there).
file(MAKE_DIRECTORY ${CMAKE_SOURCE_DIR}/content)
add_custom_target(game_content ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${FB_GAME_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/content ${FB_GAME_DIR}
    COMMENT "Copying content into the game folder")
