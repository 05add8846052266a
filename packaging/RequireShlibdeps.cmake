# Read by cpack before it makes the .deb: the package's Depends come from
# dpkg-shlibdeps, and a package made without it does not run where Qt or
# libcdio are missing.
find_program(QUELBY_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(NOT QUELBY_DPKG_SHLIBDEPS)
    message(FATAL_ERROR "dpkg-shlibdeps is missing: install dpkg-dev to make the package")
endif()
