# What the Windows zip holds, in one place: the zip target packs these files and its tests
# expect exactly them.
set(VELTO_ZIP_README "はじめにお読みください.txt")
set(VELTO_ZIP_FILES LICENSE velto.exe velto-config.exe Help.html velto.ini ${VELTO_ZIP_README})
