# The properties dialog's settings and its list page, without windows.
target_sources(muralto_core PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/options/ListRows.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/options/ListEditor.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/options/OptionsModel.cpp
)
