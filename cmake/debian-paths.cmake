# Where Debian 12's packages put what the build takes from the system (scripts/setup installs
# them). Cache variables, so that another layout can be given on the cmake command line.

# GoogleTest's sources (googletest), built with each preset's own compiler.
set(TESSEL_GOOGLETEST_SOURCE /usr/src/googletest
    CACHE PATH "GoogleTest source folder")
# The IDL files that widl imports (oaidl.idl and the rest; libwine-dev).
set(TESSEL_WINE_IDL_INCLUDE /usr/include/wine/wine/windows
    CACHE PATH "Folder of the Windows IDL files")
# The folder of stdole2.tlb, which the type library imports (wine64).
set(TESSEL_WINE_TYPELIB_FOLDER /usr/lib/x86_64-linux-gnu/wine/x86_64-windows
    CACHE PATH "Folder of stdole2.tlb")
# Unicode's data files and its own segmentation tests (unicode-data).
set(TESSEL_UNICODE_DATA /usr/share/unicode
    CACHE PATH "Folder of the Unicode character database")
# Wine's server, which the package tests stop before they make a prefix anew (wine64).
set(TESSEL_WINESERVER /usr/lib/wine/wineserver
    CACHE FILEPATH "Wine's wineserver program")
