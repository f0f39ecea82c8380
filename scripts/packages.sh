# Debian packages of the suite, kept in this one place: scripts/start
# installs PROGRAM_PACKAGES (and PYTHON_PACKAGES for `scripts/start python`),
# scripts/check (and so CI) adds PYTHON_PACKAGES and TEST_PACKAGES.
# Sourced by those scripts.

# Build and run the programs: compiler and build tools, muParser and GiNaC
# for typed functions, Arb (with FLINT, MPFR and GMP) for the balls that
# check roots, FLINT for exact polynomials, PLplot for plots (its svg device
# is in libplplot17, which libplplot-dev pulls in; PNG and PDF come from its
# cairo driver).
PROGRAM_PACKAGES=(g++ cmake make pkg-config libmuparser-dev libginac-dev libflint-arb-dev
  libflint-dev libplplot-dev plplot-driver-cairo)

# The Python module (python/): pybind11 and Python's headers to build it,
# setuptools and venv to install it offline into a virtual environment that
# sees the system's packages, NumPy for its arrays, pandas and Matplotlib for
# its tables and figures, ipykernel for the notebook kernel.
PYTHON_PACKAGES=(pybind11-dev python3-dev python3-setuptools python3-venv python3-numpy
  python3-pandas python3-matplotlib python3-ipykernel)

# Tests and checks: Clang with its sanitizer runtime, clang-tidy and
# clang-format; GoogleTest and Google Benchmark; GSL and Boost to compare
# against; groff and man for the manual pages; xmllint and rsvg-convert for
# the plots; locale sources for the terminal tests' locales; Python to read
# rootcompare's CSV as a program would, with mpmath for the exact roots of
# the polynomials' checks; pytest, SciPy (to agree with) and nbclient (to run
# the notebook headless) for the Python module.
TEST_PACKAGES=(clang libclang-rt-14-dev clang-tidy clang-format googletest libgtest-dev
  libgmock-dev libbenchmark-dev libgsl-dev libboost-dev man-db groff-base libxml2-utils
  librsvg2-bin locales python3 python3-mpmath python3-pytest python3-scipy python3-nbclient)
# Locales the terminal tests run the programs under, besides C and C.UTF-8:
# UTF-8 with a decimal comma, and Latin-1.
TEST_LOCALES=(es_ES.UTF-8 es_ES.ISO-8859-1)

# as_root COMMAND...: runs the command as root, through sudo unless already
# root; with RAICES_DRY_RUN=1 only prints it.
as_root() {
  local run=()
  [ "${RAICES_DRY_RUN:-0}" = 1 ] && run=(echo)
  [ "$(id -u)" -eq 0 ] || run+=(sudo)
  "${run[@]}" "$@"
}

# install_packages NAME...: installs those of the named packages that are not
# installed yet.
install_packages() {
  local missing=() package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "${package}" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("${package}")
  done
  [ "${#missing[@]}" -gt 0 ] || return 0
  echo "Installing Debian packages: ${missing[*]}"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get update
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
    "${missing[@]}"
}

# install_locales LANGUAGE.CHARSET...: compiles those of the named locales
# that are not installed yet.
install_locales() {
  local name installed
  installed="$(locale -a | tr -d -- - | tr '[:upper:]' '[:lower:]')"
  for name in "$@"; do
    grep -qx "$(echo "${name}" | tr -d -- - | tr '[:upper:]' '[:lower:]')" <<<"${installed}" ||
      as_root localedef -i "${name%%.*}" -f "${name#*.}" "${name}"
  done
}
