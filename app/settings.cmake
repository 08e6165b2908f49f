# Settings, hot-key launcher and options dialog targets.
