# Adds every child folder of the current folder that has a CMakeLists.txt,
# so that each subsystem's pieces can be added without editing a shared list.
function(kesvane_add_child_folders)
    file(GLOB children LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
    list(SORT children)
    foreach(child ${children})
        if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
            add_subdirectory(${child})
        endif()
    endforeach()
endfunction()
