# Installing like a desktop program. The programs, the definition files, the settings file and
# the manual (manual/en and manual/zh, sharing one style sheet and the pictures) live together in
# one program directory (lib/skinsmith), because the editor finds them beside its executable;
# bin/ holds links to the programs people start.
include(GNUInstallDirs)
set(SKINSMITH_PROGRAM_DIR ${CMAKE_INSTALL_LIBDIR}/skinsmith)

set(skinsmith_programs skinsmith-cli sty_conv xls2txt resBuildApp resizeimage)
if(TARGET skinsmith)
    list(PREPEND skinsmith_programs skinsmith)
endif()
foreach(program ${skinsmith_programs})
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${SKINSMITH_PROGRAM_DIR})
    endif()
endforeach()
foreach(program skinsmith skinsmith-cli)
    if(TARGET ${program})
        install(CODE "
            file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
            execute_process(COMMAND ${CMAKE_COMMAND} -E create_symlink
                ../${SKINSMITH_PROGRAM_DIR}/${program}
                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${program}\")")
    endif()
endforeach()

install(FILES data/widgetdef.xml data/keydef.xml data/SkinSmith.ini
        DESTINATION ${SKINSMITH_PROGRAM_DIR})
install(DIRECTORY docs/manual DESTINATION ${SKINSMITH_PROGRAM_DIR})
install(DIRECTORY ${SKINSMITH_LOCALE_BUILD_DIR}/ DESTINATION ${CMAKE_INSTALL_LOCALEDIR})
install(FILES data/skinsmith.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/skinsmith-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME skinsmith.xml)
install(FILES src/shell/resources/icons/skinsmith.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The manual beside the programs of the build tree too, so that Help works there.
file(COPY docs/manual DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})

# scripts/package builds the packages from an optimised configuration of its own. The programs
# go into the package stripped; their debug information goes into skinsmith-dbgsym, one file per
# program under usr/lib/debug/.build-id/, where gdb looks for it by the program's build id.
set(CPACK_PACKAGE_NAME skinsmith)
set(CPACK_PACKAGE_VENDOR "SkinSmith developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "SkinSmith developers <skinsmith@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Editor and asset pipeline for the user interfaces of embedded devices")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei, libqt6svg6")
include(CPack)
