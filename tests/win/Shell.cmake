# The folder pointer wizard's window, driven through its buttons and keys,
# making real pointers with the Windows shell in a throwaway folder.
target_sources(muralto_win_tests PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/FPWizardTests.cpp
)
