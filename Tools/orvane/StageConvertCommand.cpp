// Copyright Kelmora. All Rights Reserved.
#include "Commands.h"

#include "CoreMinimal.h"
#include "LogCapture.h"
#include "Misc/Paths.h"
#include "Modules/ModuleManager.h"
#include "OrvaneNDisplayConfigImporter.h"
#include "ToolArguments.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{
	int StageConvert(const FStageCommandArguments& Arguments)
	{
		// Log lines go to standard error as usual; the capture keeps the reason of a failure for the summary.
		FLogCapture Log(false);
		TArray<FString> MeshPaths;
		const FString Output = UOrvaneNDisplayConfigImporter::CreateNDisplayFromORVS(Arguments.StagePath, Arguments.bIncludeICVFXCamera, MeshPaths);
		// A wall mesh that could not be saved leaves a document naming an asset the project lacks: a failure too.
		if (PrintLoggedErrors(Log, "convert", false) > 0 || Output.IsEmpty())
		{
			return 1;
		}
		std::printf("%s\n", TCHAR_TO_UTF8(*Output));
		return 0;
	}
}

void AddStageConvertCommand(CLI::App& Stage, FToolCommand& OutCommand)
{
	CLI::App* Command = Stage.add_subcommand("convert", "write the nDisplay configuration of a stage beside it (FILE.ndisplay, blanks and hyphens of the name as underscores) and save the wall meshes into the headless project; prints the written path");
	AddStageCommandArguments(*Command, OutCommand, &StageConvert);
}
