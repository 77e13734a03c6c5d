// Copyright Kelmora. All Rights Reserved.
#include "Editor.h"
#include "EditorKit.h"
#include "HAL/PlatformProcess.h"
#include "LiveLink/SourceTestSupport.h"
#include "LogCapture.h"
#include "Misc/App.h"
#include "Modules/ModuleManager.h"
#include "OrvaneLiveLinkSource.h"
#include "TimerManager.h"

#include <gtest/gtest.h>

TEST(PlayActions, StartPlayFullScreenAndStopItFromTheCameraStream)
{
	for (const TCHAR* Module : {TEXT("UnrealEd"), TEXT("LevelEditor"), TEXT("OrvaneLiveLink")})
	{
		FModuleManager::Get().LoadModule(Module);
	}
	FLogCapture Log;
	FApp::SetProjectName(TEXT("OrvaneStage"));
	FScopedLevelEditorWindow Window;
	TSharedPtr<FOrvaneLiveLinkSource> Source = MakeShared<FOrvaneLiveLinkSource>(FIPv4Endpoint(FIPv4Address(127, 0, 0, 1), OrvaneTest::FindFreeLoopbackPort()));

	ORVActionParams Action;
	Action.Action = 1;
	Source->ExecuteUserActions(&Action);
	FEditorLoopKit::RunFor(0.5f);
	EXPECT_TRUE(GEditor->IsPlaySessionInProgress());
	EXPECT_EQ(Window.GetWindow()->GetWindowMode(), EWindowMode::WindowedFullscreen) << "full screen once the 0.2 s timer fired";

	Action.Action = 2;
	Source->ExecuteUserActions(&Action);
	FEditorLoopKit::RunFor(1.0f);
	EXPECT_FALSE(GEditor->IsPlaySessionInProgress());
	EXPECT_EQ(Window.GetWindow()->GetWindowMode(), EWindowMode::Windowed) << "back to a window after the stop";

	while (!Source->RequestSourceShutdown())
	{
		FPlatformProcess::Sleep(0.001f);
	}
	FApp::SetProjectName(TEXT(""));
}
