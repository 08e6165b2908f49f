# Tests of the settings, hot-key launcher and options dialog.
