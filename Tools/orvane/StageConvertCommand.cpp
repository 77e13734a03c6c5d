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

int RunStageConvert(int ArgC, char** ArgV)
{
	FStageCommandArguments Arguments;
	if (!ParseStageCommandArguments(ArgC, ArgV, "convert", Arguments))
	{
		return 2;
	}

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
