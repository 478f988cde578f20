# Message catalogues. po/<language>.po translates the core's texts (gettext domain "skinsmith",
# Chinese source texts), po/tools/<language>.po the command-line programs' own messages
# ("skinsmith-tools", English source texts). msgfmt compiles them into a share/locale tree
# beside build/bin, laid out as the installed one, where the programs of the build tree find
# them; SkinSmithInstall.cmake installs that tree.
include(GNUInstallDirs)
find_program(MSGFMT msgfmt REQUIRED)
set(SKINSMITH_LOCALE_BUILD_DIR ${CMAKE_BINARY_DIR}/share/locale)

set(skinsmith_catalogue_files)
foreach(domain_folder "skinsmith|po" "skinsmith-tools|po/tools")
    string(REPLACE "|" ";" domain_folder "${domain_folder}")
    list(GET domain_folder 0 domain)
    list(GET domain_folder 1 folder)
    file(GLOB po_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.po)
    foreach(po ${po_files})
        get_filename_component(language ${po} NAME_WE)
        set(mo_dir ${SKINSMITH_LOCALE_BUILD_DIR}/${language}/LC_MESSAGES)
        add_custom_command(OUTPUT ${mo_dir}/${domain}.mo
                           COMMAND ${CMAKE_COMMAND} -E make_directory ${mo_dir}
                           COMMAND ${MSGFMT} --check-format -o ${mo_dir}/${domain}.mo ${po}
                           DEPENDS ${po} VERBATIM)
        list(APPEND skinsmith_catalogue_files ${mo_dir}/${domain}.mo)
    endforeach()
endforeach()
add_custom_target(skinsmith_catalogues ALL DEPENDS ${skinsmith_catalogue_files})

# Every program links the platform layer, so building any of them builds the catalogues.
add_dependencies(skinsmith_platform skinsmith_catalogues)

# An installed program finds the catalogues relative to its own directory (relocated installs),
# else at the absolute place.
file(RELATIVE_PATH SKINSMITH_LOCALE_FROM_PROGRAMS ${CMAKE_INSTALL_FULL_LIBDIR}/skinsmith
     ${CMAKE_INSTALL_FULL_LOCALEDIR})
set(SKINSMITH_LOCALE_DEFINITIONS
    SKINSMITH_LOCALE_FROM_PROGRAMS="${SKINSMITH_LOCALE_FROM_PROGRAMS}"
    SKINSMITH_INSTALLED_LOCALE_DIR="${CMAKE_INSTALL_FULL_LOCALEDIR}")
target_compile_definitions(skinsmith_platform PRIVATE ${SKINSMITH_LOCALE_DEFINITIONS})
