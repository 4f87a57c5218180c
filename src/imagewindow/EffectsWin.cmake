# The Windows side of the pixel effects: working images in sections selected
# into memory DCs, and the system colours from GetSysColor; the picture open
# dialog with its preview.
target_sources(muralto_win PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/imagewindow/win/FastBMPWin.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/platform/win32/WinSystemColors.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/imagewindow/win/OpenPictureDialog.cpp
)
target_link_libraries(muralto_win PUBLIC comdlg32)
