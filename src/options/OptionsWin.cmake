# The properties dialog's window and its pages.
target_sources(muralto_win PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/options/win/Options.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/options/win/OptionsPage.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/options/win/SettingsPages.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/options/win/ShellPages.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/options/win/RecentList.cpp
)
