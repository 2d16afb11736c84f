# Installation and the Debian package.
#
# `cmake --install build --prefix P` lays out a relocatable program folder
#   P/lib/meridan/            the programs, bin/ (engine libraries), WM/,
#                             threshold/ and the manual meridan.html
#   P/bin/meridan-predict ... symbolic links into P/lib/meridan/
#   P/share/meridan/workflow/ the Snakemake workflow for many genomes
# The programs find their engines and data beside their own executable, so the
# folder works from any prefix and any current folder. Results are never
# written into it: an installed meridan-predict is given `-o DIR`.
include(GNUInstallDirs)

set(MERIDAN_INSTALL_DIR "${CMAKE_INSTALL_LIBDIR}/meridan")
# Installed from the program folder: no build-tree library paths to strip.
set(CMAKE_SKIP_INSTALL_RPATH ON)
# Installing and packaging take what is built (build first); a build of
# the command-line programs alone can be packaged too.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(_meridan_programs meridan meridan-predict meridan-simulate meridan-export meridan-evaluate meridan-panel)
set(_meridan_engines Galvora Castrel Dovrane Ethrin Brintel)
foreach(_program IN LISTS _meridan_programs)
  if(TARGET ${_program})
    # OPTIONAL: a build of the command-line programs alone installs too.
    install(TARGETS ${_program} RUNTIME DESTINATION "${MERIDAN_INSTALL_DIR}" OPTIONAL)
    # A relative link, so the prefix can move as a whole.
    install(CODE "
      set(_root \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
      if(EXISTS \"\${_root}/${MERIDAN_INSTALL_DIR}/${_program}\")
        file(MAKE_DIRECTORY \"\${_root}/${CMAKE_INSTALL_BINDIR}\")
        file(CREATE_LINK \"../${MERIDAN_INSTALL_DIR}/${_program}\"
             \"\${_root}/${CMAKE_INSTALL_BINDIR}/${_program}\" SYMBOLIC)
      endif()")
  endif()
endforeach()
foreach(_engine IN LISTS _meridan_engines)
  if(TARGET ${_engine})
    install(TARGETS ${_engine} LIBRARY DESTINATION "${MERIDAN_INSTALL_DIR}/bin" OPTIONAL)
  endif()
endforeach()
install(DIRECTORY "${CMAKE_SOURCE_DIR}/engines/promoter/data/WM" "${CMAKE_SOURCE_DIR}/engines/promoter/data/threshold"
        DESTINATION "${MERIDAN_INSTALL_DIR}")
if(EXISTS "${CMAKE_SOURCE_DIR}/resources/meridan.html")
  install(FILES "${CMAKE_SOURCE_DIR}/resources/meridan.html" DESTINATION "${MERIDAN_INSTALL_DIR}")
  install(DIRECTORY "${CMAKE_SOURCE_DIR}/resources/manual" DESTINATION "${MERIDAN_INSTALL_DIR}")
endif()
install(DIRECTORY "${CMAKE_SOURCE_DIR}/workflow/" DESTINATION "${CMAKE_INSTALL_DATADIR}/meridan/workflow"
        PATTERN "__pycache__" EXCLUDE PATTERN ".snakemake" EXCLUDE
        PATTERN "CMakeLists.txt" EXCLUDE PATTERN "tests" EXCLUDE)

# cpack -G DEB in the build folder: meridan_<version>_<arch>.deb
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "meridan")
set(CPACK_PACKAGE_VENDOR "Meridan developers")
set(CPACK_PACKAGE_CONTACT "Meridan developers <meridan@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Transcription units of bacterial genomes: operons, promoters, terminators")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_STRIP_FILES ON)
# The run-time libraries (Qt, zlib, libstdc++) from the binaries themselves.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# MMseqs2 finds the homologues of a panel of genomes (meridan-predict --panel).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "mmseqs2")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "snakemake, slurm-client")
include(CPack)
