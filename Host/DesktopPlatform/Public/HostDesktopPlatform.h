// Copyright Kelmora. All Rights Reserved.
// Host only, no engine counterpart: the user's answers to the file dialogs, queued by the tool and tests.
#pragma once

#include "CoreMinimal.h"

namespace UE::DesktopPlatform::Host
{
	/** A file dialog as it was opened. */
	struct FOpenFileDialogCall
	{
		const void* ParentWindowHandle = nullptr;
		FString DialogTitle;
		FString DefaultPath;
		FString DefaultFile;
		FString FileTypes;
		uint32 Flags = 0;
	};

	/** The next file dialog returns these files (the user chose them). */
	DESKTOPPLATFORM_API void QueueChosenFiles(const TArray<FString>& Files);
	/** The next file dialog is cancelled. With nothing queued, every dialog is cancelled. */
	DESKTOPPLATFORM_API void QueueCancel();
	/** The file dialogs opened so far, oldest first. */
	DESKTOPPLATFORM_API TArray<FOpenFileDialogCall> GetOpenFileDialogCalls();
	/** Forgets the queued answers and the calls. */
	DESKTOPPLATFORM_API void Reset();
}
