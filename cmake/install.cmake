# The installed tree: the programs in bin/ and the data folder in share/vellmoor/, which the
# programs find from their own place (common/install_layout.h), so the tree runs wherever it
# is moved; and what a desktop needs to show the game in its menus: a desktop entry, the icon
# in the hicolor theme at each size and the AppStream metainfo. Both folder names are fixed:
# the programs look exactly there.
set(VELLMOOR_APP_ID org.vellmoor.Vellmoor)

install(TARGETS vmr_main vmr_sim RUNTIME DESTINATION bin)
# The desktop entry starts the launcher, or the game itself in a tree built without GTK.
set(VELLMOOR_DESKTOP_PROGRAM vmr_main)
if(TARGET vmr_launcher)
  install(TARGETS vmr_launcher RUNTIME DESTINATION bin)
  set(VELLMOOR_DESKTOP_PROGRAM vmr_launcher)
endif()

# The assembled data folder without the generators' stamp files (.drawn, .synthesised) and
# the tests' own level (test/).
install(DIRECTORY ${VELLMOOR_DATA_DIR}/ DESTINATION share/vellmoor PATTERN ".*" EXCLUDE
        PATTERN "test" EXCLUDE)

set(desktop_dir ${CMAKE_BINARY_DIR}/desktop)
configure_file(data/desktop/${VELLMOOR_APP_ID}.desktop.in
               ${desktop_dir}/${VELLMOOR_APP_ID}.desktop @ONLY)
configure_file(data/desktop/${VELLMOOR_APP_ID}.metainfo.xml.in
               ${desktop_dir}/${VELLMOOR_APP_ID}.metainfo.xml @ONLY)
install(FILES ${desktop_dir}/${VELLMOOR_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${desktop_dir}/${VELLMOOR_APP_ID}.metainfo.xml DESTINATION share/metainfo)

# The icon at the sizes tools/imagegen/icon_images.h draws.
set(icon_dir ${CMAKE_BINARY_DIR}/icons)
set(icon_files "")
foreach(size 16 32 48 64 128 256)
  set(file ${icon_dir}/${size}x${size}.png)
  list(APPEND icon_files ${file})
  install(FILES ${file} DESTINATION share/icons/hicolor/${size}x${size}/apps
          RENAME ${VELLMOOR_APP_ID}.png)
endforeach()
add_custom_command(OUTPUT ${icon_files}
  COMMAND imagegen --icons ${icon_dir}
  DEPENDS imagegen
  COMMENT "Drawing the desktop icon")
add_custom_target(vmr_icons ALL DEPENDS ${icon_files})

# Everything the rules above install, so a tree can be installed without building the tests
# and benchmarks.
add_custom_target(vmr_installable DEPENDS vmr_main vmr_sim vmr_data vmr_icons)
if(TARGET vmr_launcher)
  add_dependencies(vmr_installable vmr_launcher)
endif()
