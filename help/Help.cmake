# The help file: the topics of this folder compiled into "Muralto.chm" beside
# the program. The compiler looks for the contents file in its working
# folder and leaves a scratch file there, so it runs on a copy of the
# sources inside the build folder.
find_program(MURALTO_CHMCMD NAMES chmcmd chmcmd-3.2.2)
if(NOT MURALTO_CHMCMD)
  message(FATAL_ERROR "chmcmd (Debian package fp-utils) is needed to build the help file; scripts/setup.sh installs it")
endif()

set(MURALTO_HELP_SOURCE ${CMAKE_SOURCE_DIR}/help)
set(MURALTO_HELP_STAGE ${CMAKE_BINARY_DIR}/help)
set(MURALTO_CHM ${CMAKE_BINARY_DIR}/bin/Muralto.chm)

file(GLOB MURALTO_HELP_TOPICS CONFIGURE_DEPENDS ${MURALTO_HELP_SOURCE}/*.html)
set(MURALTO_HELP_FILES ${MURALTO_HELP_TOPICS}
  ${MURALTO_HELP_SOURCE}/Muralto.hhp ${MURALTO_HELP_SOURCE}/Muralto.hhc ${MURALTO_HELP_SOURCE}/muralto.css)
# Screenshots the tests made, under the names the topics use.
set(MURALTO_HELP_IMAGES
  tray-menu.png=tray-menu.png
  image-window-menu.png=image-window-menu.png
  effects-box-144dpi.png=effects-box.png
  properties-shell-144dpi.png=properties-shell.png
  properties-most-recent-144dpi.png=properties-most-recent.png
  folder-pointer-wizard-144dpi.png=folder-pointer-wizard.png)

set(copy_commands)
set(image_sources)
foreach(pair IN LISTS MURALTO_HELP_IMAGES)
  string(REPLACE "=" ";" pair "${pair}")
  list(GET pair 0 from)
  list(GET pair 1 to)
  list(APPEND image_sources ${CMAKE_SOURCE_DIR}/docs/${from})
  list(APPEND copy_commands COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/docs/${from} ${MURALTO_HELP_STAGE}/images/${to})
endforeach()

file(MAKE_DIRECTORY ${MURALTO_HELP_STAGE}/images)
add_custom_command(OUTPUT ${MURALTO_CHM}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${MURALTO_HELP_STAGE}/images
  COMMAND ${CMAKE_COMMAND} -E copy ${MURALTO_HELP_FILES} ${MURALTO_HELP_STAGE}
  ${copy_commands}
  COMMAND ${MURALTO_CHMCMD} --no-html-scan Muralto.hhp > chmcmd.log
  COMMAND ${CMAKE_COMMAND} -E copy Muralto.chm ${MURALTO_CHM}
  WORKING_DIRECTORY ${MURALTO_HELP_STAGE}
  DEPENDS ${MURALTO_HELP_FILES} ${image_sources}
  COMMENT "Compiling the help file Muralto.chm")
add_custom_target(muralto_help ALL DEPENDS ${MURALTO_CHM})
