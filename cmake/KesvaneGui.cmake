# Adds the .cpp files at the top of the current folder to kesvane_gui, and
# the folder itself to its include path.
function(kesvane_add_gui_sources)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    list(FILTER sources EXCLUDE REGEX ".*/main\\.cpp$")
    target_sources(kesvane_gui PRIVATE ${sources})
    target_include_directories(kesvane_gui PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(kesvane_gui PUBLIC ${ARGN})
endfunction()
