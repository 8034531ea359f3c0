# The Debian package, made by `cpack -G DEB` from the build tree (sh scripts/package).
#
# A plain `cmake --install` keeps its layout (program in bin/). The package installs the
# same files plus what Debian expects, as the component "debian", left out of a full
# install: the programs in /usr/games, the manual pages, the copyright file and the
# changelog.
if(NOT UNIX OR APPLE)
    return()
endif()

set(TOLVANMERE_MAINTAINER "Tolvanmere developers <tolvanmere@example.org>")
set(TOLVANMERE_PACKAGE_GAMESDIR games)
set(deb_dir "${PROJECT_SOURCE_DIR}/packaging/debian")
set(linux_dir "${PROJECT_SOURCE_DIR}/packaging/linux")
set(gen_dir "${PROJECT_BINARY_DIR}/packaging")
set(doc_dir "${CMAKE_INSTALL_DATADIR}/doc/tolvanmere")

# Manual pages and the changelog are compressed as Debian wants them: gzip -9n, so the
# package is the same from one build to the next.
find_program(TOLVANMERE_GZIP gzip)
set(compressed)
function(tolvanmere_gzip_file source output)
    add_custom_command(
        OUTPUT "${output}"
        COMMAND "${TOLVANMERE_GZIP}" -9n -c "${source}" > "${output}"
        DEPENDS "${source}"
        VERBATIM)
endfunction()

foreach(page tolvanmere tolvanmere-selfplay)
    configure_file("${linux_dir}/${page}.6" "${gen_dir}/${page}.6" @ONLY)
    tolvanmere_gzip_file("${gen_dir}/${page}.6" "${gen_dir}/${page}.6.gz")
    list(APPEND compressed "${gen_dir}/${page}.6.gz")
endforeach()
configure_file("${deb_dir}/changelog" "${gen_dir}/changelog" @ONLY)
tolvanmere_gzip_file("${gen_dir}/changelog" "${gen_dir}/changelog.gz")
list(APPEND compressed "${gen_dir}/changelog.gz")
add_custom_target(tolvanmere_package_files ALL DEPENDS ${compressed})

# The menu entry names the program by its full path: /usr/games is not on every PATH
# (root's, for one).
set(app_id org.tolvanmere.Tolvanmere)
file(READ "${linux_dir}/${app_id}.desktop" desktop_entry)
string(REGEX REPLACE "\nExec=tolvanmere\n" "\nExec=/usr/${TOLVANMERE_PACKAGE_GAMESDIR}/tolvanmere\n"
       desktop_entry "${desktop_entry}")
file(WRITE "${gen_dir}/${app_id}.desktop" "${desktop_entry}")

# Relocations resolved at start-up and then made read-only, as Debian hardens its programs.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_link_options(tolvanmere PRIVATE "LINKER:-z,relro,-z,now")
    target_link_options(tolvanmere-selfplay PRIVATE "LINKER:-z,relro,-z,now")
endif()
install(TARGETS tolvanmere tolvanmere-selfplay
        RUNTIME DESTINATION ${TOLVANMERE_PACKAGE_GAMESDIR} COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES "${gen_dir}/${app_id}.desktop" DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES "${gen_dir}/tolvanmere.6.gz" "${gen_dir}/tolvanmere-selfplay.6.gz"
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES "${deb_dir}/copyright" "${gen_dir}/changelog.gz" DESTINATION ${doc_dir}
        COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES "${deb_dir}/tolvanmere.lintian-overrides" DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME tolvanmere COMPONENT debian EXCLUDE_FROM_ALL)

# cpack installs what is built; scripts/package builds only the programs and these files,
# not the whole tree with its tests and benchmarks.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tolvanmere)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tolvanmere developers")
set(CPACK_PACKAGE_CONTACT "${TOLVANMERE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "trick-taking card game against three computer players")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Tolvanmere is a four-player trick-taking card game with a standard 52-card
deck in which spades are always trump. You play one seat; three computer
players take the others, calling by playing the coming round a hundred times
against random deals.
.
From the second round on every player calls the tricks it means to take: a
call made earns its value, a call missed costs it, and in a shortcall round a
call only counts when it is made exactly. A summary between rounds shows the
standings and lets you set your next call. Learning Mode shows the computer
players' cards face up.
.
The package also contains tolvanmere-selfplay, which plays seeded games
without a window and checks the rules after every move.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TOLVANMERE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
# Everything a plain install lays out but its program and entry ("local"), plus the
# Debian layout.
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${PROJECT_BINARY_DIR};${PROJECT_NAME};Unspecified;/"
    "${PROJECT_BINARY_DIR};${PROJECT_NAME};debian;/")
include(CPack)
