# The image window's portable side: the effects box's miniature and the
# window's rules for keys, dragging and the colour dropper.
target_sources(muralto_core PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/imagewindow/EffectsPreview.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/imagewindow/ImageWindowRules.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/imagewindow/PaintBuffer.cpp
)
