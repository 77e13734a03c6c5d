// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Application/SlateApplicationBase.h: what SlateCore's widgets reach of the application.
#pragma once

#include "CoreMinimal.h"

class SWindow;

/** The application as SlateCore sees it; FSlateApplication is the one implementation. */
class FSlateApplicationBase
{
public:
	virtual ~FSlateApplicationBase() = default;

	/** True once the application exists. */
	static bool IsInitialized() { return CurrentBaseApplication != nullptr; }
	/** The application; it must exist. */
	SLATECORE_API static FSlateApplicationBase& Get();

	/** Closes and removes a top-level window. */
	virtual void RequestDestroyWindow(TSharedRef<SWindow> WindowToDestroy) = 0;

protected:
	SLATECORE_API static FSlateApplicationBase* CurrentBaseApplication;
};
