# The files of one release of the site. Run as a script (cmake -DSITE=DIR -P
# this file), it writes DIR/service-worker.js from its template with their
# list and a release name drawn from their content, so that any change to
# any of them makes a new release.
set(QUORVEL_SITE_FILES index.html quorvel.css quorvel.js quorvel-core.js quorvel-core.wasm
    Image1.bmp manifest.webmanifest Static-192.png Static-512.png)

if(CMAKE_SCRIPT_MODE_FILE)
  set(digests "")
  foreach(file ${QUORVEL_SITE_FILES})
    file(SHA256 ${SITE}/${file} digest)
    string(APPEND digests ${digest})
  endforeach()
  string(SHA256 digest "${digests}")
  string(SUBSTRING ${digest} 0 16 RELEASE)
  list(JOIN QUORVEL_SITE_FILES "', '" FILES)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/service-worker.js ${SITE}/service-worker.js @ONLY)
endif()
