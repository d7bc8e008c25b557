# The core's folders, each a concern, from the bottom up: the ground rules
# (results, text rules, names); the host interface, file reading and writing;
# the hosts of each system; file formats (bitmaps, pictures, waves); reading
# archives; the players of the shots; the game's fixed tables; reading the
# set library; restore points; installing (Apply, Play); adding sets from an
# archive; the catalogue of core's reports. A file includes from its own
# folder and those below it only (tests/layers.cmake checks it).
set(MODSETUP_CORE_FOLDERS base io platform formats archive audio game library restore install import report)
