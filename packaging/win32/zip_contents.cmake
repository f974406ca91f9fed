# What the Windows zip holds, in one place: the zip target packs these files and its tests
# expect exactly them. The starter settings go under a name of their own: a velto.ini in the zip
# would replace the user's settings when a newer zip is unpacked over the folder.
set(VELTO_ZIP_README "はじめにお読みください.txt")
set(VELTO_ZIP_STARTER velto.starter.ini)
set(VELTO_ZIP_FILES LICENSE velto.exe velto-import.dll velto-config.exe Help.html
    ${VELTO_ZIP_STARTER} ${VELTO_ZIP_README})
