# Debian packages the layers build against; scripts/deps installs them.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
pkg_check_modules(PUGIXML REQUIRED IMPORTED_TARGET pugixml)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(SDL2_MIXER REQUIRED IMPORTED_TARGET SDL2_mixer)
pkg_check_modules(EPOXY REQUIRED IMPORTED_TARGET epoxy)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)

# Everything SDL, GL, FreeType and mixer is private to the platform layer.
add_library(fb_platform_deps INTERFACE)
target_link_libraries(fb_platform_deps INTERFACE PkgConfig::SDL2 PkgConfig::SDL2_MIXER PkgConfig::EPOXY
                      PkgConfig::FREETYPE PkgConfig::FONTCONFIG Threads::Threads)
# stb ships as headers (libstb-dev) plus a shared library; we compile the implementation ourselves.
find_path(STB_INCLUDE_DIR stb_image.h PATHS /usr/include/stb REQUIRED)
