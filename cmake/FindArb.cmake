# Finds Arb, the ball arithmetic library (Debian: libflint-arb-dev, whose
# library is flint-arb; elsewhere it is arb, or part of FLINT 3), and what it
# is built on: FLINT, MPFR and GMP. Defines the imported target Arb::Arb.
include(FindPackageHandleStandardArgs)

find_path(Arb_INCLUDE_DIR arb.h PATH_SUFFIXES flint arb)
find_library(Arb_LIBRARY NAMES flint-arb arb)
find_library(Arb_FLINT_LIBRARY NAMES flint)
find_library(Arb_MPFR_LIBRARY NAMES mpfr)
find_library(Arb_GMP_LIBRARY NAMES gmp)
# FLINT 3 holds Arb itself.
if(NOT Arb_LIBRARY AND Arb_FLINT_LIBRARY)
  set(Arb_LIBRARY ${Arb_FLINT_LIBRARY})
endif()

find_package_handle_standard_args(Arb REQUIRED_VARS Arb_LIBRARY Arb_INCLUDE_DIR
  Arb_FLINT_LIBRARY Arb_MPFR_LIBRARY Arb_GMP_LIBRARY)
mark_as_advanced(Arb_INCLUDE_DIR Arb_LIBRARY Arb_FLINT_LIBRARY Arb_MPFR_LIBRARY Arb_GMP_LIBRARY)

if(Arb_FOUND AND NOT TARGET Arb::Arb)
  add_library(Arb::Arb INTERFACE IMPORTED)
  set_target_properties(Arb::Arb PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${Arb_INCLUDE_DIR}"
    INTERFACE_LINK_LIBRARIES "${Arb_LIBRARY};${Arb_FLINT_LIBRARY};${Arb_MPFR_LIBRARY};${Arb_GMP_LIBRARY}")
endif()
