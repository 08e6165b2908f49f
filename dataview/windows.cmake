# The data view window, its option dialogs, find and the clipboard copies.
