# The image window, its effects box and the paint boxes they draw through.
target_sources(muralto_win PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/imagewindow/win/DibDrawing.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/imagewindow/win/FlickerFreePaintBox.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/imagewindow/win/Unit1.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/imagewindow/win/ImageWindowMenu.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/imagewindow/win/EffectsBox.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/imagewindow/win/ImageWindows.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/platform/win32/Panel.cpp
)
