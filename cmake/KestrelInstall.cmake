# The installed program: bin/kestrel and bin/kestrel-cli, the engine and exchange libraries
# private in lib/kestrel/, the plug-ins in lib/kestrel/Plug-Ins/ and the samples in
# share/kestrel/Samples/. Every run path is relative, so the tree can be moved.
set(KESTREL_INSTALL_LIBDIR lib/kestrel)
set(KESTREL_INSTALL_PLUGINDIR ${KESTREL_INSTALL_LIBDIR}/Plug-Ins)
set(KESTREL_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/kestrel)

# The module targets of the plug-in folders, whatever each folder's CMakeLists names them.
function(kestrel_plugin_modules out)
  set(modules)
  get_property(folders DIRECTORY ${CMAKE_SOURCE_DIR}/plugins PROPERTY SUBDIRECTORIES)
  foreach(folder IN LISTS folders)
    get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(type ${target} TYPE)
      if(type STREQUAL "MODULE_LIBRARY")
        list(APPEND modules ${target})
      endif()
    endforeach()
  endforeach()
  set(${out} ${modules} PARENT_SCOPE)
endfunction()

set_target_properties(tessera nimbus PROPERTIES INSTALL_RPATH "$ORIGIN")
install(TARGETS tessera nimbus LIBRARY DESTINATION ${KESTREL_INSTALL_LIBDIR} NAMELINK_SKIP)
# Loaded by the engine from its own folder when a font is first built.
install(TARGETS nimbus_glyphs LIBRARY DESTINATION ${KESTREL_INSTALL_LIBDIR})
# Loaded by the programs through their run path when a video is first recorded.
if(TARGET kestrel_video_encoders)
  install(TARGETS kestrel_video_encoders LIBRARY DESTINATION ${KESTREL_INSTALL_LIBDIR})
endif()

set(KESTREL_PROGRAMS kestrel-cli)
if(TARGET kestrel)
  list(APPEND KESTREL_PROGRAMS kestrel)
endif()
set_target_properties(${KESTREL_PROGRAMS} PROPERTIES INSTALL_RPATH "$ORIGIN/../${KESTREL_INSTALL_LIBDIR}")
install(TARGETS ${KESTREL_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

kestrel_plugin_modules(KESTREL_PLUGIN_MODULES)
set_target_properties(${KESTREL_PLUGIN_MODULES} PROPERTIES INSTALL_RPATH "$ORIGIN/..")
install(TARGETS ${KESTREL_PLUGIN_MODULES} LIBRARY DESTINATION ${KESTREL_INSTALL_PLUGINDIR})

# Every target is built with the run path it is installed with. A run path that install
# rewrites is linked with a trailing empty entry (room for the rewrite), which the loader
# reads as the current directory: the build tree's programs looked for every library
# wherever they were started. The build tree mirrors the installed library folder by a link.
set_target_properties(tessera nimbus ${KESTREL_PROGRAMS} ${KESTREL_PLUGIN_MODULES} PROPERTIES
                      BUILD_WITH_INSTALL_RPATH ON)
foreach(module nimbus_glyphs kestrel_video_encoders)
  if(TARGET ${module})
    set_target_properties(${module} PROPERTIES INSTALL_RPATH "$ORIGIN" BUILD_WITH_INSTALL_RPATH ON)
  endif()
endforeach()
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/lib)
file(CREATE_LINK ../bin ${CMAKE_BINARY_DIR}/${KESTREL_INSTALL_LIBDIR} SYMBOLIC)

if(TARGET kestrel_samples)
  install(DIRECTORY ${KESTREL_BIN_DIR}/Samples/ DESTINATION ${KESTREL_INSTALL_DATADIR}/Samples)
endif()
