# Package sets, sourced by the run and test scripts.
# To build and start the program (qt6-l10n-tools compiles the windows' translations,
# qt6-translations-l10n has Qt's own texts in the same languages, zlib compresses the PNG
# files `corpogif frames` writes).
RUN_PACKAGES=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-l10n-tools
              qt6-translations-l10n libgl-dev zlib1g-dev
              libgtest-dev libgmock-dev libbenchmark-dev
              xvfb xauth x11-utils xdotool imagemagick fonts-liberation fonts-wine fonts-dejavu-core)
# To build the Debian package and check it.
PACKAGE_PACKAGES=("${RUN_PACKAGES[@]}" dpkg-dev file lintian)
# Extra for the tests: giflib as the second opinion, clang for the sanitizer and fuzz
# builds, weston and the accessibility bus for the Wayland and AT-SPI real-window tests, a
# session bus (dbus-daemon) for every real-window test and the start-up benchmark,
# gsfonts for the Helvetica that the GIF benchmark corpus script draws its screenshot with,
# git for the fresh-clone build, the package's and desktop files' checkers, and strace to
# watch how a save reaches the disk.
TEST_PACKAGES=("${RUN_PACKAGES[@]}" libgif-dev clang libclang-rt-14-dev
               weston qt6-wayland at-spi2-core python3-pyatspi dbus dbus-daemon gsfonts
               git dpkg-dev file lintian desktop-file-utils appstream strace)
# Extra for the Windows stage: the MinGW-w64 cross compiler (POSIX threads), Wine to run
# what it builds, GoogleTest's sources to build it with, and zlib built for it.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix wine64 googletest libz-mingw-w64-dev)
# To pack the Windows build: the installer's compiler (NSIS), zip for the portable folder
# and unzip to look into it (windres, for the programs' version information and icon, comes
# with MinGW-w64's binutils).
WINDOWS_PACKAGE_PACKAGES=(nsis zip unzip)
# Extra for the arm64 stage: the cross compiler for 64-bit ARM Linux, qemu-user to run what
# it builds, and GoogleTest's sources to build it with.
ARM64_PACKAGES=(g++-aarch64-linux-gnu qemu-user googletest)
