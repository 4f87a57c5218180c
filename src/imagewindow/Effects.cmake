# Pixel effects: the working image, its effects, the colour helpers and the
# system colours they resolve; where a picture goes in a preview.
target_sources(muralto_core PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/imagewindow/FastRGB.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/imagewindow/FastBMP.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/imagewindow/FastFX.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/imagewindow/Colors.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/imagewindow/PreviewFit.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/platform/SystemColors.cpp
)
