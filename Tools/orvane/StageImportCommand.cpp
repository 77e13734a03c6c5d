// Copyright Kelmora. All Rights Reserved.
#include "Commands.h"
#include "EditorSummary.h"

#include "CoreMinimal.h"
#include "LogCapture.h"
#include "OrvaneLiveLinkHelper.h"
#include "OrvaneStageImport.h"
#include "ToolArguments.h"

#include <cstdio>

namespace
{
	int StageImport(const FStageCommandArguments& Arguments)
	{
		// The editor as it stands when a user opens the setup dialog: the engine, the plug-in and its content.
		StartHeadlessEditor();

		// Every log line still reaches standard error. The road reports its own outcome, naming the first step that
		// failed; the capture only watches the delayed steps that run after it (the preset one second later).
		FLogCapture Log(false);
		FString FailedStep;
		const EOrvaneStageImportResult Result = FOrvaneStageImport::ImportStageToLevel(Arguments.StagePath, Arguments.bIncludeICVFXCamera, false, &FailedStep);
		Log.Clear();
		RunEditorFor(2.0f);

		if (Result != EOrvaneStageImportResult::Succeeded)
		{
			std::fprintf(stderr, "orvane stage import: %s\n", TCHAR_TO_UTF8(*FOrvaneStageImport::GetResultText(Result, FailedStep)));
		}
		if (Result != EOrvaneStageImportResult::Succeeded || PrintLoggedErrors(Log, "import", true) > 0)
		{
			UOrvaneLiveLinkHelper::RemoveAllOrvaneSources();
			return 1;
		}

		std::printf("%s\n", TCHAR_TO_UTF8(FOrvaneStageImport::GetResultText(Result)));
		PrintEditorSummary(Arguments.ProjectDir);

		// The source the setup made listens on the camera port; close it before the process ends.
		UOrvaneLiveLinkHelper::RemoveAllOrvaneSources();
		return 0;
	}
}

void AddStageImportCommand(CLI::App& Stage, FToolCommand& OutCommand)
{
	CLI::App* Command = Stage.add_subcommand("import", "run the setup dialog's stage import in the headless editor of the project: the virtual-production camera, the nDisplay blueprint with wall meshes and ICVFX camera, saved and placed in the level, the camera linked and attached; log lines on standard error, then a summary");
	AddStageCommandArguments(*Command, OutCommand, &StageImport);
}
