# Warnings, character set and runtime linkage for every target of the project.
if(MSVC)
  add_compile_options(/W4 /utf-8 /permissive- /EHsc /Zc:__cplusplus)
  if(JITSWAP_WERROR)
    add_compile_options(/WX)
  endif()
  # One executable with nothing to install beside it.
  set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
else()
  # Win32 structures are zero-filled with their size as the only initializer; that is the idiom.
  add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wno-missing-field-initializers)
  if(JITSWAP_WERROR)
    add_compile_options(-Werror)
  endif()
endif()

if(WIN32)
  # Nothing asks a type at run time; the type descriptions would only add to the executable.
  if(MSVC)
    add_compile_options(/GR-)
  else()
    add_compile_options(-fno-rtti)
  endif()
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                          _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0800)
  if(MINGW)
    add_link_options(-static -static-libgcc -static-libstdc++)
    # Small release binaries: optimise for size (nothing here is bound by the processor; the
    # registry and the shell set the pace), drop symbols and unused sections.
    add_compile_options($<$<CONFIG:Release>:-Os> $<$<CONFIG:Release>:-ffunction-sections> $<$<CONFIG:Release>:-fdata-sections>)
    # No private copies of the string library's functions, trimmed to one caller's arguments, in
    # every file that calls them: the linker cannot fold those into one, and they were 9 KB of the
    # executable.
    add_compile_options($<$<CONFIG:Release>:-fno-ipa-sra>)
    # No lock around a function-local static's first use: each is first met on the user-interface
    # thread, and the lock would bring in the threads library (app/RuntimeThreading.cpp says why).
    add_compile_options($<$<CONFIG:Release>:-fno-threadsafe-statics>)
    add_link_options($<$<CONFIG:Release>:-Wl,--gc-sections> $<$<CONFIG:Release>:-s>)
  endif()
endif()

if(JITSWAP_SANITIZE AND NOT WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
