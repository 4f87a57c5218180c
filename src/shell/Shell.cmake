# Folder pointers and the wizard's steps: portable, over the shell seam.
target_sources(muralto_core PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/shell/FolderPointer.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/shell/FolderPointerWizard.cpp
)
