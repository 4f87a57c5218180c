# The properties dialog's window in this process, driven by messages.
