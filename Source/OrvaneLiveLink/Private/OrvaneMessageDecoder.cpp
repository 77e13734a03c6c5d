// Copyright Kelmora. All Rights Reserved.
#include "OrvaneMessageDecoder.h"

#include "Containers/StringView.h"
#include "Dom/JsonObject.h"
#include "OrvaneCompat.h"
#include "OrvaneLogLimiter.h"
#include "OrvaneNumbers.h"
#include "OrvaneSourceState.h"
#include "Serialization/JsonReader.h"
#include "Serialization/JsonSerializer.h"

#include <cmath>
#include <limits>

namespace OrvaneProcessState
{
	std::atomic<int32> LastCaptureFrame{-1};
}

namespace
{
	using FJsonArray = TArray<TSharedPtr<FJsonValue>>;

	/** The array member when it holds at least MinElements values, else null. */
	const FJsonArray* FindArray(const FJsonObject& Object, const TCHAR* Name, int32 MinElements)
	{
		const FJsonArray* Array = nullptr;
		return Object.TryGetArrayField(Name, Array) && Array->Num() >= MinElements ? Array : nullptr;
	}

	double NumberAt(const FJsonArray& Array, int32 Index)
	{
		const TSharedPtr<FJsonValue>& Value = Array[Index];
		return Value.IsValid() ? Value->AsNumber() : 0.0;
	}

	FString StringAt(const FJsonArray& Array, int32 Index)
	{
		const TSharedPtr<FJsonValue>& Value = Array[Index];
		return Value.IsValid() ? Value->AsString() : FString();
	}

	template <int32 Count>
	void ReadNumbers(const FJsonObject& Object, const TCHAR* Name, double (&Out)[Count])
	{
		if (const FJsonArray* Array = FindArray(Object, Name, Count))
		{
			for (int32 Index = 0; Index < Count; ++Index)
			{
				Out[Index] = NumberAt(*Array, Index);
			}
		}
	}

	/**
	 * Copies the Latin-1 bytes into text and reports whether the document stays within MaxNesting.
	 * Brackets inside strings do not count.
	 */
	bool ToLatin1Text(TConstArrayView<uint8> Bytes, FString& OutText)
	{
		OutText.Reserve(Bytes.Num());
		int32 Depth = 0;
		bool bInString = false;
		bool bEscaped = false;
		for (const uint8 Byte : Bytes)
		{
			OutText.AppendChar(static_cast<TCHAR>(Byte));
			if (bInString)
			{
				if (bEscaped)
				{
					bEscaped = false;
				}
				else if (Byte == '\\')
				{
					bEscaped = true;
				}
				else if (Byte == '"')
				{
					bInString = false;
				}
			}
			else if (Byte == '"')
			{
				bInString = true;
			}
			else if (Byte == '{' || Byte == '[')
			{
				if (++Depth > FOrvaneMessageDecoder::MaxNesting)
				{
					return false;
				}
			}
			else if (Byte == '}' || Byte == ']')
			{
				--Depth;
			}
		}
		return true;
	}

	void DecodeSetup(const FJsonObject& Camera, FOrvaneSourceState& State, ORVCameraSetup& Setup)
	{
		const FJsonArray* Array = FindArray(Camera, TEXT("Setup"), 5);
		if (!Array)
		{
			return;
		}
		const int32 Num = Array->Num();
		Setup.bLensEnabled = NumberAt(*Array, 1) != 0.0;
		Setup.bTakeMetadata = NumberAt(*Array, 2) != 0.0;
		Setup.bLocalClock = NumberAt(*Array, 3) != 0.0;
		Setup.bRecordControl = NumberAt(*Array, 4) != 0.0;
		if (Num >= 6)
		{
			Setup.bReportSkips = NumberAt(*Array, 5) != 0.0;
		}

		// Whether to clear the subjects' interpolation is decided once per source.
		if (State.InterpolationRequest.load() == 0)
		{
			const bool bClear = Num < 7 || NumberAt(*Array, 6) != 0.0;
			State.InterpolationRequest.store(bClear ? 1 : 2);
		}

		if (Num >= 8)
		{
			const double Offset = NumberAt(*Array, 7);
			if (State.OffsetRequest.load() == 0 || Offset != State.EvaluationOffset.load())
			{
				State.EvaluationOffset.store(Offset);
				// A NaN offset counts as negative: publish from the game thread.
				State.bGameThreadPublish.store(!(Offset >= 0.0));
				State.OffsetRequest.store(1);
			}
		}
		else if (State.OffsetRequest.load() == 0)
		{
			State.EvaluationOffset.store(-1.0);
			State.bGameThreadPublish.store(false);
			State.OffsetRequest.store(1);
		}
	}

	void DecodeSensor(const FJsonObject& Camera, FOrvaneSourceState& State, ORVCameraPose& Pose)
	{
		const FJsonArray* Array = FindArray(Camera, TEXT("Sensor"), 2);
		if (!Array)
		{
			return;
		}
		Pose.Sensor[0] = NumberAt(*Array, 0);
		Pose.Sensor[1] = NumberAt(*Array, 1);
		if (Pose.Sensor[0] != State.FilmbackWidth.load(std::memory_order_relaxed) || Pose.Sensor[1] != State.FilmbackHeight.load(std::memory_order_relaxed))
		{
			State.FilmbackWidth.store(Pose.Sensor[0], std::memory_order_relaxed);
			State.FilmbackHeight.store(Pose.Sensor[1], std::memory_order_relaxed);
			State.bStaticDirty.store(true, std::memory_order_release);
		}
	}

	void WriteLogLine(FOrvaneLogLimiter* Log, EOrvaneLogLine Line, int32 Value0 = 0, int32 Value1 = 0)
	{
		if (Log)
		{
			Log->Write(Line, Value0, Value1);
		}
		else
		{
			FOrvaneLogLimiter::WriteUnlimited(Line, Value0, Value1);
		}
	}

	void DecodeTimecode(const FJsonObject& Camera, const ORVCameraSetup& Setup, ORVCameraPose& Pose, FOrvaneLogLimiter* Log)
	{
		const FJsonArray* Array = FindArray(Camera, TEXT("Timecode"), 3);
		if (!Array)
		{
			return;
		}
		Pose.FrameNumber = FOrvaneMessageDecoder::ToInt32(NumberAt(*Array, 0));
		Pose.RateNumerator = FOrvaneMessageDecoder::ToInt32(NumberAt(*Array, 1));
		Pose.RateDenominator = FOrvaneMessageDecoder::ToInt32(NumberAt(*Array, 2));
		if (Array->Num() >= 4)
		{
			Pose.TimeStamp = FOrvaneMessageDecoder::ToUInt64(NumberAt(*Array, 3));
		}

		const int32 LastFrame = OrvaneProcessState::LastCaptureFrame.exchange(Pose.FrameNumber);
		if (Setup.bReportSkips && LastFrame >= 0 && Pose.FrameNumber > LastFrame)
		{
			// Both are non-negative here, so the difference cannot overflow.
			const int32 Difference = Pose.FrameNumber - LastFrame;
			if (Difference != 1)
			{
				WriteLogLine(Log, EOrvaneLogLine::CaptureSkip, Pose.FrameNumber, Difference);
			}
		}
	}

	void DecodeMetadata(const FJsonObject& Camera, ORVCameraSetup& Setup)
	{
		if (!Setup.bTakeMetadata && !Setup.bRecordControl)
		{
			return;
		}
		if (const FJsonArray* Array = FindArray(Camera, TEXT("Metadata"), 3))
		{
			Setup.MetaLabel = StringAt(*Array, 0);
			Setup.MetaSlate = StringAt(*Array, 1);
			Setup.MetaTake = StringAt(*Array, 2);
		}
	}

	void DecodeAction(const FJsonObject& Camera, ORVActionParams& Action)
	{
		uint64 Command = 0;
		if (!OrvaneCompat::TryGetUInt64Field(Camera, TEXT("Action"), Command))
		{
			return;
		}
		switch (Command)
		{
		case 1:
		case 2:
			Action.Action = static_cast<int32>(Command);
			break;
		case 3:
		case 6:
			if (Camera.TryGetStringField(TEXT("Param"), Action.Param))
			{
				Action.Action = static_cast<int32>(Command);
			}
			break;
		case 4:
			if (Camera.TryGetStringField(TEXT("Param"), Action.Param))
			{
				Action.Action = 4;
				if (const FJsonArray* Options = FindArray(Camera, TEXT("Param2"), 5))
				{
					Action.CaptureMode = FOrvaneMessageDecoder::ToInt32(NumberAt(*Options, 0));
					Action.FovOverscan = FOrvaneMessageDecoder::ToFloat(NumberAt(*Options, 1));
					Action.ImageWidth = FOrvaneMessageDecoder::ToInt32(NumberAt(*Options, 2));
					Action.ImageHeight = FOrvaneMessageDecoder::ToInt32(NumberAt(*Options, 3));
					Action.IncludeRotation = NumberAt(*Options, 4) != 0.0;
				}
			}
			break;
		case 5:
			if (const FJsonArray* Point = FindArray(Camera, TEXT("Param"), 2))
			{
				Action.Action = 5;
				Action.ScreenX = NumberAt(*Point, 0);
				Action.ScreenY = NumberAt(*Point, 1);
			}
			break;
		default:
			break;
		}
	}
}

int32 FOrvaneMessageDecoder::ToInt32(double Value)
{
	if (std::isnan(Value))
	{
		return 0;
	}
	if (Value >= 2147483648.0)
	{
		return std::numeric_limits<int32>::max();
	}
	if (Value <= -2147483649.0)
	{
		return std::numeric_limits<int32>::min();
	}
	return static_cast<int32>(Value);
}

float FOrvaneMessageDecoder::ToFloat(double Value)
{
	return OrvaneNumbers::NarrowToFloat(Value);
}

uint64 FOrvaneMessageDecoder::ToUInt64(double Value)
{
	if (!(Value >= 1.0))
	{
		return 0;
	}
	if (Value >= 18446744073709551616.0)
	{
		return std::numeric_limits<uint64>::max();
	}
	return static_cast<uint64>(Value);
}

void FOrvaneMessageDecoder::DecodeCamera(const FJsonObject& Camera, FOrvaneSourceState& State, ORVCameraSetup& Setup, ORVCameraPose& Pose, ORVActionParams& Action, FOrvaneLogLimiter* Log)
{
	// Later steps read flags that earlier ones set, so the order below is the protocol's order.
	double Version = 1.0;
	Camera.TryGetNumberField(TEXT("Version"), Version);

	DecodeSetup(Camera, State, Setup);
	ReadNumbers(Camera, TEXT("Location"), Pose.Location);
	ReadNumbers(Camera, TEXT("Rotation"), Pose.Rotation);
	ReadNumbers(Camera, TEXT("Scale"), Pose.Scale);
	if (Setup.bLensEnabled)
	{
		ReadNumbers(Camera, TEXT("Lens"), Pose.Lens);
	}
	DecodeSensor(Camera, State, Pose);
	DecodeTimecode(Camera, Setup, Pose, Log);
	DecodeMetadata(Camera, Setup);

	int32 SenderState = 0;
	if (Camera.TryGetNumberField(TEXT("State"), SenderState))
	{
		Setup.State = SenderState;
	}

	if (Version > 1.0)
	{
		DecodeAction(Camera, Action);
	}
}

int32 FOrvaneMessageDecoder::Decode(TConstArrayView<uint8> Datagram, FOrvaneSourceState& State, FOnCameraDecoded OnCamera, FOrvaneLogLimiter* Log)
{
	FString Text;
	if (!ToLatin1Text(Datagram, Text))
	{
		return 0;
	}

	TSharedPtr<FJsonObject> Root;
	if (!FJsonSerializer::Deserialize(TJsonReaderFactory<TCHAR>::Create(MoveTemp(Text)), Root) || !Root.IsValid())
	{
		return 0;
	}

	int32 Decoded = 0;
	bool bReportedUnknown = false;
	for (const auto& Member : Root->Values)
	{
		if (!FStringView(Member.Key).Equals(TEXTVIEW("ORVCamera"), ESearchCase::IgnoreCase))
		{
			// Once per datagram: a document with thousands of foreign members must not write thousands of lines.
			if (!bReportedUnknown)
			{
				bReportedUnknown = true;
				WriteLogLine(Log, EOrvaneLogLine::UnknownData);
			}
			continue;
		}

		const FJsonArray* Cameras = nullptr;
		const TSharedPtr<FJsonObject>* Camera = nullptr;
		if (!Member.Value.IsValid() || !Member.Value->TryGetArray(Cameras) || Cameras->Num() == 0 || !(*Cameras)[0].IsValid() || !(*Cameras)[0]->TryGetObject(Camera) || !Camera->IsValid())
		{
			continue;
		}

		ORVCameraSetup Setup;
		ORVCameraPose Pose;
		ORVActionParams Action;
		DecodeCamera(**Camera, State, Setup, Pose, Action, Log);
		OnCamera(Setup, Pose, Action);
		++Decoded;
	}
	return Decoded;
}
