# The Debian package (`make package`, or the `package` target): the programs, their man pages and
# the desktop integration, with run-time dependencies read from the binaries by dpkg-shlibdeps.
include(GNUInstallDirs)

# The package's own documents: the copyright in the machine-readable format and the changelog,
# which Debian wants compressed beside it. The date is the configuration's (SOURCE_DATE_EPOCH
# when set, so a rebuild can give the same bytes).
set(QN_DEB_RELEASE 1)
set(QN_DEB_VERSION ${PROJECT_VERSION}-${QN_DEB_RELEASE})
string(TIMESTAMP QN_DEB_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
set(qn_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/quarno)
configure_file(${PROJECT_SOURCE_DIR}/data/debian/changelog.in debian/changelog.Debian @ONLY)
find_program(QN_GZIP gzip REQUIRED)
add_custom_command(OUTPUT debian/changelog.Debian.gz
    COMMAND ${QN_GZIP} -9nkf changelog.Debian
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}/debian
    DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog.Debian
    COMMENT "Compressing the package changelog")
add_custom_target(qn_deb_changelog ALL DEPENDS debian/changelog.Debian.gz)
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright ${PROJECT_BINARY_DIR}/debian/changelog.Debian.gz
    DESTINATION ${qn_doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quarno)
set(CPACK_PACKAGE_VENDOR Veldo)
set(CPACK_PACKAGE_CONTACT "Veldo <quarno@veldo.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "network traffic meter for the desktop")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_PACKAGE_RELEASE ${QN_DEB_RELEASE})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${QN_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Without Qt's own translations the standard buttons stay English in a translated window.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The summary above is put in front; CPack indents the lines and turns empty ones into " .".
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quarno lists the machine's network interfaces and, for every interface you
choose to watch, shows the current download and upload rates, their maxima,
the interface's total transfer as the kernel counts it, the totals of the
current run and a five-minute scrolling chart.

Counters are read once a second; nothing is captured from the wire. The
window can stay on top of other windows, drop its caption and menu bar, and
hide to the system tray.

quarno-netdump prints what Quarno reads about the interfaces as JSON.")

include(CPack)

# Its tests: build, lintian, and install, start and remove as root.
add_subdirectory(${PROJECT_SOURCE_DIR}/tests/package ${PROJECT_BINARY_DIR}/tests/package)
