# Installs the build into a scratch prefix (or, with DEB set, unpacks the Debian package into a
# scratch root) and checks that the installed programs run from there on their own: --version
# of each, and shelf-render drawing a page of the installed sample book.
# cmake -DBUILD=<build dir> -DSCRATCH=<folder> [-DDEB=ON] -P installed_tree.cmake
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed (${status}):\n${out}${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

if(DEB)
  run(cpack -G DEB -B ${SCRATCH}/package --config ${BUILD}/CPackConfig.cmake)
  file(GLOB deb ${SCRATCH}/package/shelf_*.deb)
  run(dpkg-deb -f ${deb} Depends)
  # Every dependency is a package Debian knows.
  string(REGEX REPLACE "\\([^)]*\\)" "" names "${out}")
  string(REGEX REPLACE "[ \n]+" "" names "${names}")
  string(REGEX REPLACE "[,|]" ";" names "${names}")
  foreach(name IN LISTS names)
    run(apt-cache show --no-all-versions ${name})
  endforeach()
  run(dpkg-deb -x ${deb} ${SCRATCH}/root)
  set(prefix ${SCRATCH}/root/usr)
else()
  run(${CMAKE_COMMAND} --install ${BUILD} --prefix ${SCRATCH}/prefix)
  set(prefix ${SCRATCH}/prefix)
endif()

foreach(file share/applications/shelf.desktop share/mime/packages/shelf.xml
    share/icons/hicolor/16x16/apps/shelf.png share/icons/hicolor/256x256/apps/shelf.png
    share/man/man1/shelf.1.gz share/man/man1/shelf-render.1.gz share/man/man1/bookpack.1.gz
    share/man/man1/booklint.1.gz share/man/man1/bookindex.1.gz share/man/man1/bookexport.1.gz
    share/man/man1/bookfind.1.gz
    share/shelf/samplebook/run/interface.dat)
  if(NOT EXISTS ${prefix}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

foreach(program shelf shelf-render bookpack booklint bookindex bookexport bookfind)
  run(${prefix}/bin/${program} --version)
  if(NOT out MATCHES "^${program} [0-9]+\\.[0-9]+")
    message(FATAL_ERROR "${program} --version printed: ${out}")
  endif()
endforeach()

# shelf answers without a display when asked for the books it knows ...
run(${CMAKE_COMMAND} -E env HOME=${SCRATCH} XDG_CONFIG_HOME=${SCRATCH}/config
  XDG_CACHE_HOME=${SCRATCH}/cache ${prefix}/bin/shelf --list)
# ... and shelf-render draws its pages.
run(${prefix}/bin/shelf-render ${prefix}/share/shelf/samplebook/run welcome.htm
  ${SCRATCH}/page.png --max-height 600)
file(SIZE ${SCRATCH}/page.png size)
if(size LESS 2000)
  message(FATAL_ERROR "the installed shelf-render drew an empty page (${size} bytes)")
endif()
