# Shared by scripts/run and scripts/test: installs the Debian packages that are missing (only
# those), then fetches the pinned third-party packages.

slatebook_packages=(
  build-essential cmake ninja-build pkg-config git ccache
  qt6-base-dev qt6-image-formats-plugins libgl-dev libxcb1-dev
  libqt6svg6
  fonts-noto-cjk fonts-noto-color-emoji
  libopencv-core-dev libopencv-imgproc-dev libheif-dev libpng-dev libxxhash-dev
  tesseract-ocr tesseract-ocr-eng tesseract-ocr-chi-sim tesseract-ocr-jpn tesseract-ocr-fra libtesseract-dev
  nlohmann-json3-dev libical-dev libgtest-dev libecal2.0-dev
  dbus npm python3-dbusmock xvfb xclip python3-pyatspi at-spi2-core todoman vdirsyncer evolution-data-server radicale strace
  qt6-translations-l10n clang libclang-rt-14-dev clang-format-14 python3-jieba
  appstream desktop-file-utils lintian dpkg-dev file
)

slatebook_install_missing() {
  local missing=()
  local package
  for package in "${slatebook_packages[@]}"; do
    # A Node.js from elsewhere (NodeSource bundles npm) conflicts with Debian's npm package.
    [ "$package" = npm ] && command -v npm >/dev/null && continue
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  echo "Installing: ${missing[*]}" >&2
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
}

slatebook_prepare() {
  slatebook_install_missing
  slatebook_deps_dir=$("$slatebook_root/scripts/fetch-deps")
}

# Configures a build folder (CMake compiles through ccache where it is installed).
slatebook_configure() {
  local build="$1"; shift
  cmake -S "$slatebook_root" -B "$build" -G Ninja -DSLATEBOOK_DEPS_DIR="$slatebook_deps_dir" "$@" >/dev/null
}
