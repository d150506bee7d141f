# The folder to unzip on Windows: zintu.exe beside the Qt and compiler runtime it loads.
# Qt's deployment tool gathers them where Qt has one; Qt 6.4's qtbase alone (a cross build
# of Debian's source, for one) has none, and then the files are named here.
find_program(ZINTU_WINDEPLOYQT windeployqt HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS})
if(TARGET Qt6::windeployqt OR ZINTU_WINDEPLOYQT)
    qt_generate_deploy_app_script(TARGET zintu FILENAME_VARIABLE deploy_script)
    install(SCRIPT ${deploy_script})
    return()
endif()

# Relative to the folder, for stripping below.
set(deployed)
function(zintu_deploy file destination)
    install(FILES ${file} DESTINATION ${destination})
    set(deployed ${deployed} "${destination}/$<PATH:GET_FILENAME,${file}>" PARENT_SCOPE)
endfunction()

foreach(library IN ITEMS Core Gui Widgets)
    zintu_deploy($<TARGET_FILE:Qt6::${library}> .)
endforeach()
zintu_deploy($<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> platforms)
zintu_deploy($<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> styles)
zintu_deploy($<TARGET_FILE:Qt6::QICOPlugin> imageformats)

if(MINGW)
    foreach(name IN ITEMS libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${name}
                        OUTPUT_VARIABLE library OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT IS_ABSOLUTE "${library}")
            message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${name} is")
        endif()
        cmake_path(NORMAL_PATH library)
        zintu_deploy(${library} .)
    endforeach()
endif()

# The game loads the catalogue qt_LANG.qm, which names the files that hold the texts. Qt's
# own build leaves out qttranslations: Debian's qt6-translations-l10n has the same files.
find_path(ZINTU_QT_TRANSLATIONS qt_ru.qm
          HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_TRANSLATIONS}
          PATHS /usr/share/qt6/translations NO_CMAKE_FIND_ROOT_PATH
          DOC "Folder with Qt's qt_ru.qm and the files it names")
if(ZINTU_QT_TRANSLATIONS)
    install(FILES ${ZINTU_QT_TRANSLATIONS}/qt_ru.qm ${ZINTU_QT_TRANSLATIONS}/qtbase_ru.qm
                  ${ZINTU_QT_TRANSLATIONS}/qtmultimedia_ru.qm
            DESTINATION translations)
else()
    message(WARNING "No qt_ru.qm found: Qt's buttons and dialogs stay in English")
endif()

# install(FILES) copies as it is; an install with --strip, and CPack, strip these too.
if(CMAKE_STRIP)
    install(CODE "set(zintu_strip [[${CMAKE_STRIP}]])\nset(zintu_deployed [[${deployed}]])")
    install(CODE [[
        if(CMAKE_INSTALL_DO_STRIP)
            foreach(file IN LISTS zintu_deployed)
                execute_process(COMMAND ${zintu_strip} --strip-unneeded
                                        "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${file}"
                                COMMAND_ERROR_IS_FATAL ANY)
            endforeach()
        endif()
    ]])
endif()
