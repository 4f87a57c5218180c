# The desktop icons under Wine: the list view of a helper process that plays
# the shell's desktop, the desktop's shell view over an in-process fake, the
# auto-arrange warning, and the program arranging at start-up.
add_executable(fake_desktop WIN32 FakeDesktop.cpp)
target_link_libraries(fake_desktop PRIVATE comctl32)
target_link_options(fake_desktop PRIVATE -municode)

target_sources(muralto_win_tests PRIVATE DesktopIconsWinTests.cpp ShellViewDesktopTests.cpp IconWarnTests.cpp)
add_dependencies(muralto_win_tests fake_desktop)
