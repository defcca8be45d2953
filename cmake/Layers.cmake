# chronoguard_layer(NAME FOLDER [LOWER_LAYER...])
# Builds the .cpp files of FOLDER into the static library NAME, linked to the
# given lower layers. Every header that FOLDER's files include by a quoted path
# must come from FOLDER itself, from a lower layer's folder (at any depth), or,
# outside the toolkit, from res/; a build step before the compile enforces it.
set(CHRONOGUARD_LAYER_CHECK ${CMAKE_CURRENT_LIST_DIR}/CheckLayer.cmake)

function(chronoguard_layer name folder)
    set(lower ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.h)
    list(FILTER sources EXCLUDE REGEX "/app/main\\.cpp$")
    add_library(${name} STATIC ${sources} ${headers})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
    target_compile_options(${name} PRIVATE ${CHRONOGUARD_WARNINGS})
    target_link_libraries(${name} PUBLIC ${lower})

    # The folders this layer may include: its own and those of every lower layer.
    set(allowed ${folder})
    foreach(layer ${lower})
        get_property(below GLOBAL PROPERTY CHRONOGUARD_LAYER_FOLDERS_${layer})
        list(APPEND allowed ${below})
    endforeach()
    list(REMOVE_DUPLICATES allowed)
    set_property(GLOBAL PROPERTY CHRONOGUARD_LAYER_FOLDERS_${name} ${allowed})
    if(NOT folder MATCHES "^tkit/")
        list(APPEND allowed res)
    endif()

    string(REPLACE ";" "," allowed_text "${allowed}")
    set(stamp ${CMAKE_BINARY_DIR}/layers/${name}.checked)
    add_custom_command(
        OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} -DFOLDER=${CMAKE_SOURCE_DIR}/${folder} -DALLOWED=${allowed_text}
                -DSTAMP=${stamp} -P ${CHRONOGUARD_LAYER_CHECK}
        DEPENDS ${sources} ${headers} ${CHRONOGUARD_LAYER_CHECK}
        COMMENT "Checking the includes of ${folder}/"
        VERBATIM)
    add_custom_target(${name}_layer_check DEPENDS ${stamp})
    add_dependencies(${name} ${name}_layer_check)
endfunction()
