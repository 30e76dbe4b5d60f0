# Installation (cmake --install) and the Debian package (make package).
#
# Under the prefix:
#   bin/quillmarch -> ../lib/quillmarch/quillmarch
#   bin/quillmarch-cli -> ../lib/quillmarch/quillmarch-cli
#   lib/quillmarch/quillmarch                  the program
#   lib/quillmarch/quillmarch-cli              the command-line companion
#   lib/quillmarch/modules/quillmarch_download.so   loaded on the first update check
#   lib/systemd/user/quillmarch-backup.*       the nightly backup, off until a user enables it
#   lib/quillmarch/data -> ../../share/quillmarch/data
#   lib/quillmarch/<help file> -> ../../share/quillmarch/<help file>
#   share/quillmarch/data/                     the delivered databases, read-only templates
#   share/applications, share/metainfo, share/icons/hicolor, share/man/man1, share/doc/quillmarch
#
# The program finds its files beside itself as in the build tree. Its data/
# there is the installation's templates, which it never writes: each user's
# databases are copied from them into the user's data folder (src/app/DataLocation).

set(QM_PROGRAM_DIR lib/quillmarch)
set(QM_SHARE_DIR share/quillmarch)
set(QM_APP_ID org.quillmarch.Quillmarch)
set(QM_PACKAGE_MAINTAINER "The Quillmarch developers <quillmarch@quillmarch.org>"
    CACHE STRING "Maintainer field of the Debian package")

# Files are installed root-owned, 644 and directories 755, whatever the umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS quillmarch quillmarch-cli DESTINATION ${QM_PROGRAM_DIR})
# In a folder of its own: CPack makes a package with a shared object straight
# in a folder of /usr/lib run ldconfig, which has nothing to do with a module.
install(TARGETS quillmarch_download LIBRARY DESTINATION ${QM_PROGRAM_DIR}/modules)
install(TARGETS quillmarch-xls RUNTIME DESTINATION ${QM_PROGRAM_DIR})
install(FILES ${QM_DATABASES} DESTINATION ${QM_SHARE_DIR}/data)
install(FILES ${QM_SHIPPED} DESTINATION ${QM_SHARE_DIR})

set(QM_LINKS "bin/quillmarch=../${QM_PROGRAM_DIR}/quillmarch"
             "bin/quillmarch-cli=../${QM_PROGRAM_DIR}/quillmarch-cli"
             "${QM_PROGRAM_DIR}/data=../../${QM_SHARE_DIR}/data")
foreach(f ${QM_SHIPPED})
    get_filename_component(name ${f} NAME)
    list(APPEND QM_LINKS "${QM_PROGRAM_DIR}/${name}=../../${QM_SHARE_DIR}/${name}")
endforeach()
foreach(link ${QM_LINKS})
    string(REPLACE "=" ";" parts "${link}")
    list(GET parts 0 where)
    list(GET parts 1 target)
    install(CODE "
        set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${where}\")
        get_filename_component(dir \"\${link}\" DIRECTORY)
        file(MAKE_DIRECTORY \"\${dir}\")
        file(REMOVE \"\${link}\")
        message(STATUS \"Installing: \${link} -> ${target}\")
        file(CREATE_LINK \"${target}\" \"\${link}\" SYMBOLIC)")
endforeach()

# Desktop menu, software centres, icon theme, manual page.
set(QM_INSTALL_RES ${CMAKE_SOURCE_DIR}/res/install)
install(FILES ${QM_INSTALL_RES}/${QM_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${QM_INSTALL_RES}/${QM_APP_ID}.metainfo.xml DESTINATION share/metainfo)
foreach(size 16 24 32 48 64 128 256)
    install(FILES ${CMAKE_SOURCE_DIR}/res/icons/quillmarch-${size}.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME quillmarch.png)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/res/icons/quillmarch.svg DESTINATION share/icons/hicolor/scalable/apps)

# The nightly backup: a systemd user timer and its service, off until a user
# runs "systemctl --user enable --now quillmarch-backup.timer".
install(FILES ${QM_INSTALL_RES}/quillmarch-backup.service ${QM_INSTALL_RES}/quillmarch-backup.timer
        DESTINATION lib/systemd/user)

# Debian wants the manual pages, the changelog and the longer documents
# compressed, reproducibly.
set(QM_PACKAGE_BUILD ${CMAKE_BINARY_DIR}/package-files)
configure_file(${QM_INSTALL_RES}/changelog ${QM_PACKAGE_BUILD}/changelog @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/README.md ${QM_PACKAGE_BUILD}/README.md COPYONLY)
set(QM_COMPRESSED changelog README.md)
foreach(page quillmarch.1 quillmarch-cli.1)
    configure_file(${QM_INSTALL_RES}/${page} ${QM_PACKAGE_BUILD}/${page} COPYONLY)
    list(APPEND QM_COMPRESSED ${page})
endforeach()
set(QM_COMPRESSED_IN)
set(QM_COMPRESSED_OUT)
foreach(f ${QM_COMPRESSED})
    list(APPEND QM_COMPRESSED_IN ${QM_PACKAGE_BUILD}/${f})
    list(APPEND QM_COMPRESSED_OUT ${QM_PACKAGE_BUILD}/${f}.gz)
endforeach()
add_custom_command(OUTPUT ${QM_COMPRESSED_OUT}
    COMMAND gzip -9nkf ${QM_COMPRESSED_IN}
    DEPENDS ${QM_COMPRESSED_IN}
    COMMENT "Compressing the changelog, the README and the manual pages")
add_custom_target(package_files ALL DEPENDS ${QM_COMPRESSED_OUT})
install(FILES ${QM_PACKAGE_BUILD}/quillmarch.1.gz ${QM_PACKAGE_BUILD}/quillmarch-cli.1.gz
        DESTINATION share/man/man1)
install(FILES ${QM_PACKAGE_BUILD}/changelog.gz ${QM_PACKAGE_BUILD}/README.md.gz
              ${QM_INSTALL_RES}/copyright
        DESTINATION share/doc/quillmarch)

# Every installed binary and module, and the libraries linked into them, are
# hardened like Debian's own builds: fortified string and memory functions
# (they need the optimiser), stack protection, position-independent code,
# and relocations resolved and made read-only at load time. Not with the
# sanitizers, which bring their own checks.
if(NOT QM_SANITIZE)
    set(QM_HARDENED_CODE quillmarch_logic quillmarch_ui quillmarch_cli quillmarch quillmarch-cli
                         quillmarch-xls quillmarch_download)
    set(QM_INSTALLED_BINARIES quillmarch quillmarch-cli quillmarch-xls quillmarch_download)
    foreach(target ${QM_HARDENED_CODE})
        target_compile_options(${target} PRIVATE -fstack-protector-strong
            $<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2>)
        set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON)
    endforeach()
    foreach(target ${QM_INSTALLED_BINARIES})
        target_link_options(${target} PRIVATE -Wl,-z,relro -Wl,-z,now)
    endforeach()
    include(CheckPIESupported)
    check_pie_supported()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillmarch)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Quillmarch developers")
set(CPACK_PACKAGE_CONTACT ${QM_PACKAGE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${QM_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "point-of-sale receipt program for small shops
Quillmarch is a point-of-sale receipt program with a Chinese user interface.
A cashier logs in, enters the lines of a sale, sees the totals, the cash
received and the change, and prints a receipt on a roll-paper printer.
Sales are stored with their lines and can be searched, totalled, edited,
reprinted and exported to spreadsheets. Each user's databases live in the
user's data folder and are never touched by an upgrade of the package.")
# The libraries the program links are found by dpkg-shlibdeps; these are
# loaded at run time (the platform plugins, which libqt6gui6 only recommends;
# database and ODBC drivers; fonts) or used as tools.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, libqt6sql6-sqlite, libqt6sql6-odbc, unixodbc, libsqliteodbc, fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, libqt6sql6-psql, odbc-postgresql")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "cups, fonts-noto-cjk")
include(CPack)

# Start-up checks: the build tree's program (always), and the installed
# package (root only, and only when QM_PACKAGE_TEST=1, since it installs the
# package on this machine; .ci/run runs it after the other tests).
if(QM_BUILD_TESTS)
    add_test(NAME start COMMAND ${CMAKE_SOURCE_DIR}/scripts/test-start.sh ${CMAKE_BINARY_DIR})
    set_tests_properties(start PROPERTIES TIMEOUT 120)
    add_test(NAME package COMMAND ${CMAKE_SOURCE_DIR}/scripts/test-package.sh ${CMAKE_BINARY_DIR})
    set_tests_properties(package PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300 RUN_SERIAL TRUE)
endif()
