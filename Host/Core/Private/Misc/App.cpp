// Copyright Kelmora. All Rights Reserved.
#include "Misc/App.h"
#include "Containers/UnrealString.h"
#include "Misc/Paths.h"

namespace
{
	FString& SetName()
	{
		static FString Name;
		return Name;
	}

	FString& FolderName()
	{
		static FString Name;
		return Name;
	}
}

const TCHAR* FApp::GetProjectName()
{
	if (!SetName().IsEmpty())
	{
		return *SetName();
	}
	// The project folder can change between calls in tests, so its name is read each time.
	FString Dir = FPaths::ProjectDir();
	while (Dir.EndsWith(TEXT("/")))
	{
		Dir = Dir.LeftChop(1);
	}
	FolderName() = FPaths::GetCleanFilename(Dir);
	return FolderName().IsEmpty() ? TEXT("None") : *FolderName();
}

void FApp::SetProjectName(const TCHAR* InProjectName)
{
	SetName() = InProjectName ? InProjectName : TEXT("");
}
