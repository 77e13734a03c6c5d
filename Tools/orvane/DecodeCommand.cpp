// Copyright Kelmora. All Rights Reserved.
#include "Commands.h"

#include "CoreMinimal.h"
#include "Dom/JsonObject.h"
#include "OrvaneMessageDecoder.h"
#include "OrvaneSourceState.h"
#include "ToolJson.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace
{
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
		Object->SetField(TEXT("Location"), JsonNumbers(Pose.Location));
		Object->SetField(TEXT("Rotation"), JsonNumbers(Pose.Rotation));
		Object->SetField(TEXT("Scale"), JsonNumbers(Pose.Scale));
		Object->SetField(TEXT("Lens"), JsonNumbers(Pose.Lens));
		Object->SetField(TEXT("Sensor"), JsonNumbers(Pose.Sensor));
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
		Object->SetField(TEXT("ScreenX"), JsonNumber(Action.ScreenX));
		Object->SetField(TEXT("ScreenY"), JsonNumber(Action.ScreenY));
		Object->SetNumberField(TEXT("CaptureMode"), Action.CaptureMode);
		Object->SetField(TEXT("FovOverscan"), JsonNumber(Action.FovOverscan));
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

	int Decode(const std::string& Path)
	{
		std::vector<uint8> Bytes;
		if (!ReadInput(Path, Bytes))
		{
			std::fprintf(stderr, "orvane decode: cannot read %s\n", Path.c_str());
			return 1;
		}
		if (Bytes.size() > static_cast<size_t>(TNumericLimits<int32>::Max()))
		{
			std::fprintf(stderr, "orvane decode: %s is too large for one datagram\n", Path.c_str());
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
				std::fputs(TCHAR_TO_UTF8(*ToJsonLine(Line)), stdout);
				std::fputc('\n', stdout);
			});
		return 0;
	}
}

void AddDecodeCommand(CLI::App& Tool, FToolCommand& OutCommand)
{
	const auto Path = std::make_shared<std::string>();
	CLI::App* Command = Tool.add_subcommand("decode", "decode one camera datagram and print one JSON line per camera member: {\"setup\":{...},\"pose\":{...},\"action\":{...}}");
	Command->add_option("FILE", *Path, "the datagram's file, or - for standard input")->required()->type_name("")->transform(OrvaneOptions::NotEmpty("a file or -"));
	Command->callback([Path, &OutCommand]()
		{ OutCommand = [Path]()
		  { return Decode(*Path); }; });
}
