// Copyright Kelmora. All Rights Reserved.
#include "Commands.h"

#include "CoreMinimal.h"
#include "LogCapture.h"
#include "Misc/Paths.h"
#include "Modules/ModuleManager.h"
#include "OrvaneNDisplayConfigImporter.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int RunStageConvert(int ArgC, char** ArgV)
{
	// orvane stage convert FILE.orvs [--no-icvfx] [--project DIR]
	std::string StagePath;
	std::string ProjectDir;
	bool bIncludeICVFXCamera = true;
	for (int Index = 3; Index < ArgC; ++Index)
	{
		const std::string Argument = ArgV[Index];
		if (Argument == "--no-icvfx")
		{
			bIncludeICVFXCamera = false;
		}
		else if (Argument == "--project" && Index + 1 < ArgC)
		{
			ProjectDir = ArgV[++Index];
		}
		else if (!Argument.empty() && Argument[0] != '-' && StagePath.empty())
		{
			StagePath = Argument;
		}
		else
		{
			std::fprintf(stderr, "orvane stage convert: unexpected argument %s\n", Argument.c_str());
			PrintUsage();
			return 2;
		}
	}
	if (StagePath.empty())
	{
		PrintUsage();
		return 2;
	}

	const FString Stage = FPaths::ConvertRelativePathToFull(FString(UTF8_TO_TCHAR(StagePath.c_str())));
	// The wall meshes are saved into a headless project: the one given, or a folder beside the stage file.
	const FString Project = ProjectDir.empty() ? FPaths::GetPath(Stage) / TEXT("OrvaneProject") : FPaths::ConvertRelativePathToFull(FString(UTF8_TO_TCHAR(ProjectDir.c_str())));
	setenv("ORVANE_PROJECT_DIR", TCHAR_TO_UTF8(*Project), 1);

	// Log lines go to standard error as usual; the capture keeps the reason of a failure for the summary.
	FLogCapture Log(false);
	TArray<FString> MeshPaths;
	const FString Output = UOrvaneNDisplayConfigImporter::CreateNDisplayFromORVS(Stage, bIncludeICVFXCamera, MeshPaths);
	if (Output.IsEmpty())
	{
		for (const FCapturedLogLine& Line : Log.Lines())
		{
			if (Line.Verbosity == ELogVerbosity::Error)
			{
				std::fprintf(stderr, "orvane stage convert: %s\n", TCHAR_TO_UTF8(*Line.Message));
			}
		}
		return 1;
	}
	std::printf("%s\n", TCHAR_TO_UTF8(*Output));
	return 0;
}
