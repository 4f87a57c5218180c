# The properties dialog's window and its pages.
