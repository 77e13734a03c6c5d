// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's IDesktopPlatform.h: the system's file dialogs.
#pragma once

#include "CoreMinimal.h"

namespace EFileDialogFlags
{
	enum Type
	{
		None = 0x00,
		Multiple = 0x01,
	};
}

/** The desktop's file dialogs. */
class IDesktopPlatform
{
public:
	virtual ~IDesktopPlatform() = default;

	/**
	 * Shows a file-open dialog; true when the user chose files (OutFilenames then holds them). FileTypes is
	 * "Description|*.ext" pairs joined by '|'.
	 */
	virtual bool OpenFileDialog(const void* ParentWindowHandle, const FString& DialogTitle, const FString& DefaultPath, const FString& DefaultFile, const FString& FileTypes, uint32 Flags, TArray<FString>& OutFilenames) = 0;
	/** As above, also giving the index of the file type the user picked. */
	virtual bool OpenFileDialog(const void* ParentWindowHandle, const FString& DialogTitle, const FString& DefaultPath, const FString& DefaultFile, const FString& FileTypes, uint32 Flags, TArray<FString>& OutFilenames, int32& OutFilterIndex) = 0;
};
