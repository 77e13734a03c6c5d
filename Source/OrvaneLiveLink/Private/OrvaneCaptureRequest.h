// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "OrvaneCaptureImage.h"

/** The checks and choices of a capture the compositing application asks for over the network. */
namespace OrvaneCaptureRequest
{
	/**
	 * The format and HDR switch a capture request asks for through its file name's extension (the text from
	 * the last dot, in any letter case): ".png" and ".jpg" are 8-bit pictures without HDR, ".hdr" is Radiance,
	 * anything else (".jpeg" too) or no dot at all is EXR with HDR.
	 */
	inline void FormatFromFileName(const FString& FileName, EOrvaneCaptureFormat& OutFormat, bool& bOutEnableHDR)
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

	/**
	 * Why a capture file the network names may not be written, or an empty string when it may: the path must be
	 * absolute, have no ".." segment, end in .png, .jpg, .jpeg, .exr or .hdr (any letter case) and, when
	 * CaptureFolder is not empty, lie inside that folder (a relative folder counts from the project folder).
	 */
	FString FindPathProblem(const FString& Path, const FString& CaptureFolder);
}
