# The shell seam against the Windows shell: folders, links written and read
# back, notices, delayed deletions of throwaway files, the known folders.
target_sources(muralto_win_tests PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/WinShellTests.cpp
)
