// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "OrvaneCaptureImage.h"

namespace OrvaneCaptureFormat
{
	/**
	 * The format and HDR switch a capture request asks for through its file name's extension (the text from
	 * the last dot, in any letter case): ".png" and ".jpg" are 8-bit pictures without HDR, ".hdr" is Radiance,
	 * anything else (".jpeg" too) or no dot at all is EXR with HDR.
	 */
	inline void FromFileName(const FString& FileName, EOrvaneCaptureFormat& OutFormat, bool& bOutEnableHDR)
	{
		int32 Dot = INDEX_NONE;
		const FString Extension = FileName.FindLastChar(TEXT('.'), Dot) ? FileName.Mid(Dot) : FString();
		if (Extension.Equals(TEXT(".png"), ESearchCase::IgnoreCase))
		{
			OutFormat = EOrvaneCaptureFormat::PNG;
			bOutEnableHDR = false;
		}
		else if (Extension.Equals(TEXT(".jpg"), ESearchCase::IgnoreCase))
		{
			OutFormat = EOrvaneCaptureFormat::JPEG;
			bOutEnableHDR = false;
		}
		else if (Extension.Equals(TEXT(".hdr"), ESearchCase::IgnoreCase))
		{
			OutFormat = EOrvaneCaptureFormat::HDR;
			bOutEnableHDR = true;
		}
		else
		{
			OutFormat = EOrvaneCaptureFormat::EXR;
			bOutEnableHDR = true;
		}
	}
}
