# Installs the build into a fresh DESTDIR under /usr and fails unless exactly the expected
# files arrive: a missing one breaks the desktop, a stray one ends up in every package.
file(REMOVE_RECURSE ${DESTDIR})
set(ENV{DESTDIR} ${DESTDIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)

set(expected games/zintu share/icons/hicolor/scalable/apps/${APP_ID}.svg
    share/applications/${APP_ID}.desktop share/doc/zintu/changelog.gz share/doc/zintu/copyright
    share/man/man6/zintu.6.gz share/metainfo/${APP_ID}.metainfo.xml)
foreach(size IN ITEMS 16 22 24 32 48 64 128 256)
    list(APPEND expected share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
endforeach()
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${DESTDIR}/usr ${DESTDIR}/*)
list(SORT expected)
list(SORT installed)
if(NOT installed STREQUAL expected)
    list(JOIN installed "\n  " got)
    message(FATAL_ERROR "installed files differ from the expected tree; installed:\n  ${got}")
endif()
