# What a desktop and a package manager need besides the program: the desktop entry and the
# AppStream metainfo under the program's id, the manual pages (section 6, compressed), the
# Debian copyright and changelog, and the CPack settings of `make package` (a .deb).

find_program(ZELKOR_GZIP gzip)
set(ZELKOR_PACKAGE_DIR ${CMAKE_BINARY_DIR}/package-files)

# Compressed as Debian wants them: gzip -9 without a time stamp, so that builds agree.
function(zelkor_gzip source target_name out_var)
    set(out ${ZELKOR_PACKAGE_DIR}/${target_name})
    if(ZELKOR_GZIP)
        add_custom_command(OUTPUT ${out}.gz
            COMMAND ${CMAKE_COMMAND} -E make_directory ${ZELKOR_PACKAGE_DIR}
            COMMAND ${CMAKE_COMMAND} -E copy ${source} ${out}
            COMMAND ${ZELKOR_GZIP} -9nf ${out}
            DEPENDS ${source} VERBATIM)
        set(${out_var} ${out}.gz PARENT_SCOPE)
    else()
        set(${out_var} ${source} PARENT_SCOPE)
    endif()
endfunction()

set(ZELKOR_MAN_PAGES zelkor-cli)
if(ZELKOR_BUILD_UI)
    list(APPEND ZELKOR_MAN_PAGES zelkor)
endif()
set(ZELKOR_COMPRESSED "")
foreach(page ${ZELKOR_MAN_PAGES})
    zelkor_gzip(${CMAKE_SOURCE_DIR}/docs/man/${page}.6 ${page}.6 compressed)
    install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
    list(APPEND ZELKOR_COMPRESSED ${compressed})
endforeach()
zelkor_gzip(${CMAKE_CURRENT_LIST_DIR}/changelog changelog changelog_gz)
list(APPEND ZELKOR_COMPRESSED ${changelog_gz})
add_custom_target(zelkor_package_files ALL DEPENDS ${ZELKOR_COMPRESSED})
install(FILES ${changelog_gz} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zelkor)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zelkor)

if(ZELKOR_BUILD_UI)
    install(FILES ${CMAKE_SOURCE_DIR}/tools/desktop/${ZELKOR_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${CMAKE_SOURCE_DIR}/tools/desktop/${ZELKOR_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# make package: the Debian package of the program, installed under /usr.
set(ZELKOR_MAINTAINER "The Zelkor developers <zelkor@example.org>"
    CACHE STRING "The Debian package's maintainer: a name and an e-mail address")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelkor)
set(CPACK_PACKAGE_VENDOR "The Zelkor developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "race game of Halma and its variants on an 8x8 board")
set(CPACK_PACKAGE_DESCRIPTION
    "Zelkor is a game of Halma, the race in which two sides move their ten men
into the opposite corner camp by single steps and by jumps over men of either
colour. It plays classic Halma and ten more variants, whose rules the player
can change: the directions of steps and jumps, compulsory, chained and longest
jumps, sliding men, who begins and the camp rules.
.
Play the computer with either colour, let two people play on one board, or
watch the computer play itself. The computer searches with alpha-beta at ten
strengths, gives hints, offers draws, analyses positions and knows an opening
book. The game rates the player, saves and loads games and keeps its settings.
The package holds the window (zelkor) and a command-line tool (zelkor-cli).")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZELKOR_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own catalogues translate the buttons of its message boxes and file dialogs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
