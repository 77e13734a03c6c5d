# Copyright Kelmora. All Rights Reserved.
# orvane_add_module mirrors a Build.cs: one shared library per engine or plug-in module, with
# Public/ exported to dependants, Private/ kept to the module, and the reflection code written
# by the header tool for any header that declares reflected types.

include_guard(GLOBAL)

function(orvane_add_module Name)
	cmake_parse_arguments(ARG "" "ROOT" "PUBLIC_DEPS;PRIVATE_DEPS;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
	if(NOT ARG_ROOT)
		message(FATAL_ERROR "orvane_add_module(${Name}): ROOT is required")
	endif()
	file(GLOB_RECURSE Sources CONFIGURE_DEPENDS "${ARG_ROOT}/Private/*.cpp" "${ARG_ROOT}/Public/*.cpp")
	file(GLOB_RECURSE Headers CONFIGURE_DEPENDS "${ARG_ROOT}/Public/*.h" "${ARG_ROOT}/Private/*.h")
	add_library(${Name} SHARED ${Sources} ${Headers})
	string(TOUPPER "${Name}" UpperName)
	target_compile_definitions(${Name} PUBLIC "${UpperName}_API=" PRIVATE "UE_MODULE_NAME=\"${Name}\"")
	target_include_directories(${Name} PUBLIC "${ARG_ROOT}/Public" PRIVATE "${ARG_ROOT}/Private")
	if(EXISTS "${ARG_ROOT}/Classes")
		target_include_directories(${Name} PUBLIC "${ARG_ROOT}/Classes")
	endif()
	target_link_libraries(${Name} PUBLIC ${ARG_PUBLIC_DEPS} ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_DEPS} ${ARG_PRIVATE_LIBS})
	if(COMMAND orvane_generate_reflection)
		orvane_generate_reflection(${Name} "${Headers}")
	endif()
endfunction()
