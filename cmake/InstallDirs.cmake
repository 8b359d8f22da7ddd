# Where an installation puts things, relative to the prefix. ONNX Runtime is not a Debian library,
# so it lives in a private folder that only slatebook's RUNPATH points at, never in the system
# library path; the models sit beside the other architecture-independent data.
include(GNUInstallDirs)
set(SLATEBOOK_PRIVATE_LIBDIR "lib/slatebook")
set(SLATEBOOK_MODEL_INSTALL_DIR "${CMAKE_INSTALL_DATADIR}/slatebook/models")
# The AppStream component id; the desktop entry and the icon keep the executable's name, which is
# also the window's Wayland app id and X11 class.
set(SLATEBOOK_APPSTREAM_ID "io.github.slatebook.slatebook")
set(SLATEBOOK_DOC_INSTALL_DIR "${CMAKE_INSTALL_DATADIR}/doc/slatebook")
# Installed folders are 0755 whatever the umask of whoever builds the package.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
