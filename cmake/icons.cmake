# The program's icon pictures, smallest first: assets/icons/<size>x<size>/apps/trivanta.png, laid
# out as the hicolor theme is. The X11 window, the Windows program's icon resource and the
# desktop's icon theme all take them from here.
set(TRIVANTA_ICON_SIZES 16 32 48 64 128 256)
set(TRIVANTA_ICON_PNGS)
foreach(size IN LISTS TRIVANTA_ICON_SIZES)
    list(APPEND TRIVANTA_ICON_PNGS ${PROJECT_SOURCE_DIR}/assets/icons/${size}x${size}/apps/trivanta.png)
endforeach()
