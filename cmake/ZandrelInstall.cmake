# What `cmake --install` (and `make install PREFIX=…`) puts where. The program finds its data in
# <prefix>/share/zandrel/ through the folder beside its executable, so the prefix may be anywhere.
include(GNUInstallDirs)

install(TARGETS zandrel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(ZANDREL_SHARE "${CMAKE_INSTALL_DATADIR}/zandrel")
install(DIRECTORY "${PROJECT_SOURCE_DIR}/daten" DESTINATION ${ZANDREL_SHARE})
# The presets come with the system files; installed whenever the source tree has them.
install(DIRECTORY "${PROJECT_SOURCE_DIR}/presets" DESTINATION ${ZANDREL_SHARE} OPTIONAL)
install(FILES "${PROJECT_SOURCE_DIR}/info.txt" DESTINATION ${ZANDREL_SHARE})

install(FILES "${PROJECT_SOURCE_DIR}/desktop/zandrel.desktop" DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# Drawn by tools/make_icon.py, one file per hicolor size.
foreach(size 16 32 48 64 128 256)
    install(FILES "${PROJECT_SOURCE_DIR}/desktop/icons/${size}x${size}/zandrel.png"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps")
endforeach()
