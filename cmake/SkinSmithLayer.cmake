# skinsmith_layer(NAME <folder> [DEPS <targets>...])
#
# One static library per layer folder of src/. Sources are picked up from the
# folder, so adding a class never touches a CMake file. A layer links only the
# layers and packages named in DEPS: that is what keeps the dependency direction
# (nothing below shell/ sees Qt).
function(skinsmith_layer)
    cmake_parse_arguments(LAYER "" "NAME" "DEPS" ${ARGN})
    string(REPLACE "/" "_" target "skinsmith_${LAYER_NAME}")
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS
         ${CMAKE_CURRENT_SOURCE_DIR}/${LAYER_NAME}/*.cpp
         ${CMAKE_CURRENT_SOURCE_DIR}/${LAYER_NAME}/*.h)
    set(cpp_sources ${sources})
    list(FILTER cpp_sources INCLUDE REGEX "\\.cpp$")
    if(cpp_sources)
        add_library(${target} STATIC ${sources})
        target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${target} PUBLIC ${LAYER_DEPS})
    else()
        # Empty but ready: a layer without sources yet still carries its
        # dependencies, so that programs can link it already.
        add_library(${target} INTERFACE)
        target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${target} INTERFACE ${LAYER_DEPS})
    endif()
endfunction()
