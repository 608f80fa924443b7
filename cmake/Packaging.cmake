# The Debian package, made by `cpack -G DEB` in a build folder from what `cmake --install`
# puts under /usr.
set(CPACK_PACKAGE_NAME vormel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Vormel")
set(VORMEL_MAINTAINER "Seed 22cbd852 maintainers <maintainers@users.noreply.c-seed-22cbd852.example>"
    CACHE STRING "The Debian package's maintainer, as \"Name <address>\"")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${VORMEL_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "counter of a shop that rents out films on tape and disc
Vormel runs the counter of a video rental shop: members, visits with
rentals, returns, renewals and sales, the titles and their copies, rates,
adjustments, the takings summary and the shop's reports. A shop keeps its
data in one SQLite file, or on a PostgreSQL server when several counters
share it.
.
The menu entry finds the user's shop, or makes a new or demo shop on the
first run.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
# dpkg-shlibdeps finds the libraries the programs link; the Qt plugins they load at run time
# (the SQL drivers of both engines, the window system's platform) it cannot see.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, libqt6sql6-psql, qt6-qpa-plugins")
set(CPACK_GENERATOR DEB)
include(CPack)
