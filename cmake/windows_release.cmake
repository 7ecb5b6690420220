# The release artifacts of one Windows build, beside its quorvel.exe:
#   quorvel_msi  quorvel-VERSION-windows-ARCH.msi, the Windows Installer
#                package, made with wixl (Debian's wixl, from msitools);
#   quorvel_zip  quorvel-VERSION-windows-ARCH.zip, the exe with a short
#                Chinese readme, to run without installing.
# quorvel_msi_earlier builds the same package as version 1.1, for the test
# that installs a later version over an earlier one.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL x86_64)
  set(arch x64)
  set(program_files ProgramFiles64Folder)
  set(win64 yes)
  # Fixed for good: Windows Installer knows the product line by the upgrade
  # code and the installed exe by the component code.
  set(upgrade_code 38E9B303-ADB9-4367-ADEA-A25BC06C4174)
  set(program_guid E8C93EBF-EF1C-4440-B3B7-EA9224621D55)
else()
  set(arch x86)
  set(program_files ProgramFilesFolder)
  set(win64 no)
  set(upgrade_code 81B5A31F-CAC8-4AA5-9420-51DAFEC7EDE8)
  set(program_guid F70738A2-87F2-4420-BC32-7C038A1B4A97)
endif()
set(release_name quorvel-${QUORVEL_VERSION_TEXT}-windows-${arch})
find_program(WIXL wixl)
find_program(MSIBUILD msibuild)
find_package(Python3 COMPONENTS Interpreter)

# Each version is a product of its own (its code derived from the version),
# which is what lets a later one replace an earlier one.
function(quorvel_add_msi target output version)
  file(RELATIVE_PATH icon ${PROJECT_BINARY_DIR} ${PROJECT_SOURCE_DIR}/assets/quorvel.ico)
  string(UUID product_code NAMESPACE ${upgrade_code} NAME ${version} TYPE SHA1 UPPER)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${WIXL} -a ${arch} -o ${output} -D Version=${version} -D ProductCode=${product_code}
            -D UpgradeCode=${upgrade_code} -D ProgramGuid=${program_guid}
            -D ProgramFiles=${program_files} -D Win64=${win64}
            -D Exe=quorvel.exe -D Icon=${icon} ${CMAKE_CURRENT_SOURCE_DIR}/quorvel.wxs
    # wixl knows no attribute for the shortcut's name from the exe's strings.
    COMMAND ${MSIBUILD} ${output} -q "UPDATE `Shortcut` SET `DisplayResourceDLL` = '[#quorvel.exe]', `DisplayResourceId` = ${shortcut_name_id}"
    # wixl takes no absolute source paths; it finds them from where it runs.
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
    DEPENDS quorvel ${CMAKE_CURRENT_SOURCE_DIR}/quorvel.wxs ${PROJECT_SOURCE_DIR}/assets/quorvel.ico
    VERBATIM)
  add_custom_target(${target} DEPENDS ${output})
endfunction()
if(WIXL AND MSIBUILD)
  quorvel_add_msi(quorvel_msi ${PROJECT_BINARY_DIR}/${release_name}.msi ${PROJECT_VERSION})
  quorvel_add_msi(quorvel_msi_earlier ${PROJECT_BINARY_DIR}/quorvel-earlier-${arch}.msi
                  1.1.0.0)
endif()

configure_file(说明.txt.in 说明.txt @ONLY)
add_custom_command(
  OUTPUT ${PROJECT_BINARY_DIR}/${release_name}.zip
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/make_zip.py
          ${PROJECT_BINARY_DIR}/${release_name}.zip ${QUORVEL_RELEASE_DATE} $<TARGET_FILE:quorvel>
          ${CMAKE_CURRENT_BINARY_DIR}/说明.txt
  DEPENDS quorvel ${CMAKE_CURRENT_BINARY_DIR}/说明.txt ${PROJECT_SOURCE_DIR}/tools/make_zip.py
  VERBATIM)
add_custom_target(quorvel_zip DEPENDS ${PROJECT_BINARY_DIR}/${release_name}.zip)
