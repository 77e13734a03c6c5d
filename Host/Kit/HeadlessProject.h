// Copyright Kelmora. All Rights Reserved.
// Test-side control of the headless project: a fresh, empty project folder for the scope's lifetime.
#pragma once

#include "CoreMinimal.h"

#include <string>

/**
 * Points the host at a new temporary project directory (through ORVANE_PROJECT_DIR) with an empty
 * Content/ folder; on destruction deletes it and restores the previous setting. Not thread-safe:
 * use it from the test's own thread while no other thread reads the project paths.
 */
class FScopedHeadlessProject
{
public:
	FScopedHeadlessProject();
	~FScopedHeadlessProject();
	FScopedHeadlessProject(const FScopedHeadlessProject&) = delete;
	FScopedHeadlessProject& operator=(const FScopedHeadlessProject&) = delete;

	/** The project directory, with a trailing '/'. */
	FString GetProjectDir() const { return ProjectDir; }
	/** The project's Content/ folder, with a trailing '/'. */
	FString GetContentDir() const { return ProjectDir + TEXT("Content/"); }

private:
	FString ProjectDir;
	std::string NativeDir;
	bool bHadPrevious = false;
	std::string Previous;
};
