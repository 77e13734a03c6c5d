// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"

/** Switches, take metadata and sender state of one camera message. */
struct ORVCameraSetup
{
	bool bLensEnabled = false;
	bool bTakeMetadata = false;
	bool bLocalClock = false;
	bool bRecordControl = false;
	bool bReportSkips = false;
	FString MetaLabel;
	FString MetaSlate;
	FString MetaTake;
	/** 1 = live (frames expected in order), 2 = recording. */
	int32 State = 0;
};

/** Camera transform, lens, sensor and timecode of one camera message, in engine units and axes. */
struct ORVCameraPose
{
	double Location[3] = {0.0, 0.0, 0.0};
	/** Quaternion X, Y, Z, W as sent, not normalised. */
	double Rotation[4] = {0.0, 0.0, 0.0, 0.0};
	double Scale[3] = {1.0, 1.0, 1.0};
	/** Focal length, focus distance, aspect ratio, horizontal field of view; set only with the lens enabled. */
	double Lens[4] = {0.0, 0.0, 0.0, 0.0};
	/** Filmback width and height in millimetres. */
	double Sensor[2] = {0.0, 0.0};
	int32 FrameNumber = 0;
	int32 RateNumerator = 0;
	int32 RateDenominator = 0;
	uint64 TimeStamp = 0;
};

/** A one-shot operator command and its parameters. */
struct ORVActionParams
{
	/** 0 = no command. */
	int32 Action = 0;
	FString Param;
	double ScreenX = 0.0;
	double ScreenY = 0.0;
	int32 CaptureMode = 0;
	float FovOverscan = 1.0f;
	int32 ImageWidth = 1920;
	int32 ImageHeight = 1080;
	bool IncludeRotation = false;
};
