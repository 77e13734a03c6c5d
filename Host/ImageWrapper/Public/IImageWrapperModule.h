// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's IImageWrapperModule.h: the module that makes image wrappers.
#pragma once

#include "CoreMinimal.h"
#include "IImageWrapper.h"
#include "Modules/ModuleInterface.h"

/** Makes image wrappers and encodes images by format. */
class IImageWrapperModule : public IModuleInterface
{
public:
	/** A wrapper for the format; null for a format this build cannot write. */
	virtual TSharedPtr<IImageWrapper> CreateImageWrapper(const EImageFormat InFormat, const TCHAR* InOptionalDebugImageName = nullptr) = 0;

	/** The format a file name's extension (or a bare extension, with or without its dot) names; Invalid when unknown. */
	virtual EImageFormat GetImageFormatFromExtension(const TCHAR* Name) = 0;

	/** Encodes an image, converting its pixels to what the format stores; false on failure. */
	virtual bool CompressImage(TArray64<uint8>& OutData, EImageFormat ToFormat, const FImageView& InImage, int32 Quality = 0) = 0;
};
