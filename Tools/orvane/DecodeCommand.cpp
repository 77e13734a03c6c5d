// Copyright Kelmora. All Rights Reserved.
#include "Commands.h"

#include "CoreMinimal.h"
#include "Dom/JsonObject.h"
#include "OrvaneMessageDecoder.h"
#include "OrvaneSourceState.h"
#include "Policies/CondensedJsonPrintPolicy.h"
#include "Serialization/JsonSerializer.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace
{
	/** A number that reads back to the same value; JSON has no non-finite numbers, so those become strings. */
	TSharedPtr<FJsonValue> Number(double Value)
	{
		if (std::isnan(Value))
		{
			return MakeShared<FJsonValueString>(TEXT("nan"));
		}
		if (std::isinf(Value))
		{
			return MakeShared<FJsonValueString>(Value > 0 ? TEXT("inf") : TEXT("-inf"));
		}
		return MakeShared<FJsonValueNumber>(Value);
	}

	template <int32 Count>
	TArray<TSharedPtr<FJsonValue>> Numbers(const double (&Values)[Count])
	{
		TArray<TSharedPtr<FJsonValue>> Array;
		for (const double Value : Values)
		{
			Array.Add(Number(Value));
		}
		return Array;
	}

	TSharedRef<FJsonObject> SetupToJson(const ORVCameraSetup& Setup)
	{
		TSharedRef<FJsonObject> Object = MakeShared<FJsonObject>();
		Object->SetBoolField(TEXT("bLensEnabled"), Setup.bLensEnabled);
		Object->SetBoolField(TEXT("bTakeMetadata"), Setup.bTakeMetadata);
		Object->SetBoolField(TEXT("bLocalClock"), Setup.bLocalClock);
		Object->SetBoolField(TEXT("bRecordControl"), Setup.bRecordControl);
		Object->SetBoolField(TEXT("bReportSkips"), Setup.bReportSkips);
		Object->SetStringField(TEXT("MetaLabel"), Setup.MetaLabel);
		Object->SetStringField(TEXT("MetaSlate"), Setup.MetaSlate);
		Object->SetStringField(TEXT("MetaTake"), Setup.MetaTake);
		Object->SetNumberField(TEXT("State"), Setup.State);
		return Object;
	}

	TSharedRef<FJsonObject> PoseToJson(const ORVCameraPose& Pose)
	{
		TSharedRef<FJsonObject> Object = MakeShared<FJsonObject>();
		Object->SetArrayField(TEXT("Location"), Numbers(Pose.Location));
		Object->SetArrayField(TEXT("Rotation"), Numbers(Pose.Rotation));
		Object->SetArrayField(TEXT("Scale"), Numbers(Pose.Scale));
		Object->SetArrayField(TEXT("Lens"), Numbers(Pose.Lens));
		Object->SetArrayField(TEXT("Sensor"), Numbers(Pose.Sensor));
		Object->SetNumberField(TEXT("FrameNumber"), Pose.FrameNumber);
		Object->SetNumberField(TEXT("RateNumerator"), Pose.RateNumerator);
		Object->SetNumberField(TEXT("RateDenominator"), Pose.RateDenominator);
		// A double cannot hold every 64-bit value, so the time stamp keeps its exact digits.
		Object->SetField(TEXT("TimeStamp"), MakeShared<FJsonValueNumberString>(FString::Printf(TEXT("%llu"), Pose.TimeStamp)));
		return Object;
	}

	TSharedRef<FJsonObject> ActionToJson(const ORVActionParams& Action)
	{
		TSharedRef<FJsonObject> Object = MakeShared<FJsonObject>();
		Object->SetNumberField(TEXT("Action"), Action.Action);
		Object->SetStringField(TEXT("Param"), Action.Param);
		Object->SetField(TEXT("ScreenX"), Number(Action.ScreenX));
		Object->SetField(TEXT("ScreenY"), Number(Action.ScreenY));
		Object->SetNumberField(TEXT("CaptureMode"), Action.CaptureMode);
		Object->SetField(TEXT("FovOverscan"), Number(Action.FovOverscan));
		Object->SetNumberField(TEXT("ImageWidth"), Action.ImageWidth);
		Object->SetNumberField(TEXT("ImageHeight"), Action.ImageHeight);
		Object->SetBoolField(TEXT("IncludeRotation"), Action.IncludeRotation);
		return Object;
	}

	bool ReadInput(const std::string& Path, std::vector<uint8>& OutBytes)
	{
		if (Path == "-")
		{
			OutBytes.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
			return !std::cin.bad();
		}
		std::ifstream File(Path, std::ios::binary);
		if (!File)
		{
			return false;
		}
		OutBytes.assign(std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>());
		return !File.bad();
	}
}

int RunDecode(int ArgC, char** ArgV)
{
	if (ArgC != 3)
	{
		PrintUsage();
		return 2;
	}
	std::vector<uint8> Bytes;
	if (!ReadInput(ArgV[2], Bytes))
	{
		std::fprintf(stderr, "orvane decode: cannot read %s\n", ArgV[2]);
		return 1;
	}
	if (Bytes.size() > static_cast<size_t>(TNumericLimits<int32>::Max()))
	{
		std::fprintf(stderr, "orvane decode: %s is too large for one datagram\n", ArgV[2]);
		return 1;
	}

	FOrvaneSourceState State;
	FOrvaneMessageDecoder::Decode(TConstArrayView<uint8>(Bytes.data(), static_cast<int32>(Bytes.size())), State,
		[](const ORVCameraSetup& Setup, const ORVCameraPose& Pose, const ORVActionParams& Action)
		{
			TSharedRef<FJsonObject> Line = MakeShared<FJsonObject>();
			Line->SetObjectField(TEXT("setup"), TSharedPtr<FJsonObject>(SetupToJson(Setup)));
			Line->SetObjectField(TEXT("pose"), TSharedPtr<FJsonObject>(PoseToJson(Pose)));
			Line->SetObjectField(TEXT("action"), TSharedPtr<FJsonObject>(ActionToJson(Action)));
			FString Text;
			FJsonSerializer::Serialize(Line, TJsonWriterFactory<TCHAR, TCondensedJsonPrintPolicy<TCHAR>>::Create(&Text));
			std::fputs(TCHAR_TO_UTF8(*Text), stdout);
			std::fputc('\n', stdout);
		});
	return 0;
}
