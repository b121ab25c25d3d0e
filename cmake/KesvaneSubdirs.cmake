# Adds every child folder of the current folder that has a CMakeLists.txt,
# so that each subsystem's pieces can be added without editing a shared list.
# KESVANE_SKIP_FOLDERS (a list of paths such as "look/skins") leaves folders
# out, for building one part while another is being reworked.
function(kesvane_add_child_folders)
    file(GLOB children LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
    list(SORT children)
    foreach(child ${children})
        file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${child})
        if(relative IN_LIST KESVANE_SKIP_FOLDERS)
            continue()
        endif()
        if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
            add_subdirectory(${child})
        endif()
    endforeach()
endfunction()
