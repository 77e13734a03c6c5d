# Copyright Kelmora. All Rights Reserved.
# orvane_generate_reflection runs the host's header tool over a target's headers at build time,
# as the engine's header tool does: <Header>.generated.h goes to an include folder of the target,
# <Header>.gen.cpp is compiled into it. Nothing generated lands in the source tree.

include_guard(GLOBAL)

find_package(Python3 3.8 REQUIRED COMPONENTS Interpreter)

set(ORVANE_HEADER_TOOL "${CMAKE_CURRENT_LIST_DIR}/HeaderTool/orvane_header_tool.py" CACHE INTERNAL "The host's header tool")

# orvane_generate_reflection(Target "<headers>" [MODULE Name])
# MODULE names the /Script/<Name> package the types live in; it defaults to the target's name.
function(orvane_generate_reflection Target Headers)
	cmake_parse_arguments(ARG "" "MODULE" "" ${ARGN})
	if(NOT ARG_MODULE)
		set(ARG_MODULE "${Target}")
	endif()
	set(OutputDir "${CMAKE_CURRENT_BINARY_DIR}/Generated/${Target}")
	set(GeneratedSources "")
	foreach(Header IN LISTS Headers)
		get_filename_component(Header "${Header}" ABSOLUTE)
		# Only headers that declare reflected types get generated code; a plain header that later
		# gains one is picked up because a change to it re-runs the configure step.
		file(STRINGS "${Header}" Markers REGEX "^[ \t]*(UCLASS|USTRUCT|UENUM)[ \t]*\\(")
		if(NOT Markers)
			set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${Header}")
			continue()
		endif()
		get_filename_component(Stem "${Header}" NAME_WE)
		set(GeneratedHeader "${OutputDir}/${Stem}.generated.h")
		set(GeneratedSource "${OutputDir}/${Stem}.gen.cpp")
		add_custom_command(
			OUTPUT "${GeneratedHeader}" "${GeneratedSource}"
			COMMAND Python3::Interpreter "${ORVANE_HEADER_TOOL}" --module "${ARG_MODULE}" --output-dir "${OutputDir}" "${Header}"
			DEPENDS "${Header}" "${ORVANE_HEADER_TOOL}"
			COMMENT "Header tool: ${Stem}.h"
			VERBATIM)
		list(APPEND GeneratedSources "${GeneratedHeader}" "${GeneratedSource}")
	endforeach()
	if(GeneratedSources)
		file(MAKE_DIRECTORY "${OutputDir}")
		target_sources(${Target} PRIVATE ${GeneratedSources})
		target_include_directories(${Target} PUBLIC "$<BUILD_INTERFACE:${OutputDir}>")
	endif()
endfunction()
