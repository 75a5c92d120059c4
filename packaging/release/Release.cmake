# Makes the release files of one Windows build: the program folder as it ships, a zip of it and
# its installer. Run by the dk_release target with cmake -P and these definitions:
#   SOURCE_DIR, WORK_DIR, DIST_DIR, VERSION, ARCH (win64|win32), EXE, CONSOLE (DriverKeeper.com),
#   PLUGINS (joined by |), ZIP, MAKENSIS, CONVERT (ImageMagick, for the installer's side picture)
#
# Both outputs are the same bytes for the same inputs: file times are the source's date
# (SOURCE_DATE_EPOCH, else the last commit's time), entries are in sorted order, the zip carries
# no owner or extra time fields and the installer stores no file times at all.
cmake_minimum_required(VERSION 3.25)

set(name DriverKeeper-${VERSION}-${ARCH})
set(stage ${WORK_DIR}/${name})
set(packaging ${SOURCE_DIR}/packaging)

# The program folder.
file(REMOVE_RECURSE ${stage})
file(MAKE_DIRECTORY ${stage}/plugin ${stage}/help ${stage}/licences)
file(COPY ${EXE} ${CONSOLE} ${packaging}/lamecore.dll ${packaging}/icon.ico DESTINATION ${stage})
string(REPLACE "|" ";" plugins "${PLUGINS}")
file(COPY ${plugins} DESTINATION ${stage}/plugin)
file(COPY ${SOURCE_DIR}/docs/help/ DESTINATION ${stage}/help)
file(COPY ${packaging}/release/licences/ DESTINATION ${stage}/licences)
if(ARCH STREQUAL "win64")
  set(DK_BITS 64)
else()
  set(DK_BITS 32)
endif()
set(DK_VERSION ${VERSION})
# Notepad before Windows 10 shows a text with bare LF line ends on one line.
configure_file(${packaging}/release/README.txt ${stage}/README.txt @ONLY NEWLINE_STYLE CRLF)

# Sorted entries, the files' sizes, and the installer's lists of what it puts there and takes
# away again: files by name, then each folder once it is empty, deepest first.
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${stage} ${stage}/*)
file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE ${stage} ${stage}/*)
list(SORT files)
set(folders)
foreach(entry IN LISTS entries)
  if(IS_DIRECTORY ${stage}/${entry})
    list(APPEND folders ${entry})
  endif()
endforeach()
list(SORT folders ORDER DESCENDING)

set(bytes 0)
set(install "")
set(uninstall "")
set(outdir "")
foreach(file IN LISTS files)
  file(SIZE ${stage}/${file} size)
  math(EXPR bytes "${bytes} + ${size}")
  get_filename_component(dir ${file} DIRECTORY)
  string(REPLACE "/" "\\" winfile "${file}")
  string(REPLACE "/" "\\" windir "${dir}")
  if(NOT dir STREQUAL outdir OR install STREQUAL "")
    string(APPEND install "SetOutPath \"$INSTDIR\\${windir}\"\n")
    set(outdir ${dir})
  endif()
  string(APPEND install "File \"${stage}/${file}\"\n")
  string(APPEND uninstall "Delete \"$INSTDIR\\${winfile}\"\n")
endforeach()
foreach(folder IN LISTS folders)
  string(REPLACE "/" "\\" winfolder "${folder}")
  string(APPEND uninstall "RMDir \"$INSTDIR\\${winfolder}\"\n")
endforeach()
file(WRITE ${WORK_DIR}/${ARCH}-install.nsh "${install}")
file(WRITE ${WORK_DIR}/${ARCH}-uninstall.nsh "${uninstall}")
math(EXPR kilobytes "(${bytes} + 1023) / 1024")

# The source's date.
set(epoch "$ENV{SOURCE_DATE_EPOCH}")
if(epoch STREQUAL "")
  execute_process(COMMAND git -C ${SOURCE_DIR} log -1 --format=%ct OUTPUT_VARIABLE epoch
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
if(NOT epoch MATCHES "^[0-9]+$")
  set(epoch 1767225600)  # a source tree without its history: 2026-01-01
endif()

function(run)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${WORK_DIR} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "failed (${failed}): ${ARGN}")
  endif()
endfunction()

# The zip: one top folder named like the file, so that it unpacks beside other versions.
file(MAKE_DIRECTORY ${DIST_DIR})
set(zip ${DIST_DIR}/${name}.zip)
file(REMOVE ${zip})
set(listed "")
foreach(file IN LISTS files)
  string(APPEND listed "${name}/${file}\n")
endforeach()
file(WRITE ${WORK_DIR}/${ARCH}-zip.txt "${listed}")
file(CHMOD_RECURSE ${stage} FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
       DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                             WORLD_READ WORLD_EXECUTE)
run(find ${name} -exec touch -h -d @${epoch} {} +)
# zip writes local times; -X leaves out the owner and the extra time fields, -D folder entries.
run(sh -c "TZ=UTC '${ZIP}' -X -D -q -9 '${zip}' -@ < '${ARCH}-zip.txt'")

# The picture beside the installer's first and last pages: our icon on the title bar's blue.
set(wizard ${WORK_DIR}/${ARCH}-wizard.bmp)
run(${CONVERT} -size 164x314 "gradient:#2f6fb8-#0d2747" "(" ${packaging}/icon.ico[5] -resize 96x96
    ")" -gravity north -geometry +0+48 -composite -alpha off -type TrueColor BMP3:${wizard})

run(${MAKENSIS} -V2 -INPUTCHARSET UTF8 -DDK_VERSION=${VERSION} -DDK_ARCH=${ARCH}
    -DDK_SIZE_KB=${kilobytes} -DDK_ICON=${packaging}/icon.ico -DDK_WIZARD=${wizard}
    -DDK_INSTALL_LIST=${WORK_DIR}/${ARCH}-install.nsh
    -DDK_UNINSTALL_LIST=${WORK_DIR}/${ARCH}-uninstall.nsh
    -DDK_OUTFILE=${DIST_DIR}/${name}-setup.exe ${packaging}/release/DriverKeeper.nsi)
