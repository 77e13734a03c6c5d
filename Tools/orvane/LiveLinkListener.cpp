// Copyright Kelmora. All Rights Reserved.
#include "LiveLinkListener.h"

#include "Containers/StringConv.h"
#include "Dom/JsonObject.h"
#include "Features/IModularFeatures.h"
#include "ILiveLinkClient.h"
#include "ILiveLinkSource.h"
#include "LiveLinkClient.h"
#include "LiveLinkSourceSettings.h"
#include "Misc/OutputDeviceRedirector.h"
#include "Modules/ModuleManager.h"
#include "OrvaneLiveLinkSource.h"
#include "OrvaneLiveLinkSourceFactory.h"
#include "Roles/LiveLinkCameraTypes.h"
#include "Templates/Casts.h"
#include "ToolJson.h"
#include "UObject/UObjectGlobals.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <thread>

namespace
{
	/** The shortest text that reads back to the same value of the number's own type. */
	template <typename NumberType>
	FString Readable(NumberType Value)
	{
		char Buffer[64];
		const std::to_chars_result Result = std::to_chars(Buffer, Buffer + sizeof(Buffer), Value);
		return FString(UTF8_TO_TCHAR(std::string(Buffer, Result.ptr).c_str()));
	}

	/** A frame without a scene time carries the default-constructed one. */
	bool HasSceneTime(const FQualifiedFrameTime& SceneTime)
	{
		const FQualifiedFrameTime Default;
		return SceneTime.Time.GetFrame().Value != Default.Time.GetFrame().Value || SceneTime.Time.GetSubFrame() != Default.Time.GetSubFrame() || SceneTime.Rate.Numerator != Default.Rate.Numerator || SceneTime.Rate.Denominator != Default.Rate.Denominator;
	}

	/** A frame without lens values carries the default-constructed ones. */
	bool HasLens(const FLiveLinkCameraFrameData& Camera)
	{
		const FLiveLinkCameraFrameData Default;
		return Camera.FocalLength != Default.FocalLength || Camera.FocusDistance != Default.FocusDistance || Camera.AspectRatio != Default.AspectRatio || Camera.FieldOfView != Default.FieldOfView;
	}

	FString FrameToJson(const FString& Subject, const FLiveLinkCameraFrameData& Camera)
	{
		const FQualifiedFrameTime& SceneTime = Camera.MetaData.SceneTime;
		const FVector Location = Camera.Transform.GetLocation();
		const FQuat Rotation = Camera.Transform.GetRotation();
		const FVector Scale = Camera.Transform.GetScale3D();

		TSharedRef<FJsonObject> Object = MakeShared<FJsonObject>();
		Object->SetStringField(TEXT("type"), TEXT("frame"));
		Object->SetStringField(TEXT("subject"), Subject);
		if (HasSceneTime(SceneTime))
		{
			Object->SetNumberField(TEXT("frame"), SceneTime.Time.GetFrame().Value);
			Object->SetField(TEXT("subframe"), JsonNumber(SceneTime.Time.GetSubFrame()));
			Object->SetField(TEXT("rate"), JsonNumbers({double(SceneTime.Rate.Numerator), double(SceneTime.Rate.Denominator)}));
		}
		else
		{
			Object->SetField(TEXT("frame"), MakeShared<FJsonValueNull>());
			Object->SetField(TEXT("subframe"), MakeShared<FJsonValueNull>());
			Object->SetField(TEXT("rate"), MakeShared<FJsonValueNull>());
		}
		Object->SetField(TEXT("location"), JsonNumbers({Location.X, Location.Y, Location.Z}));
		Object->SetField(TEXT("rotation"), JsonNumbers({Rotation.X, Rotation.Y, Rotation.Z, Rotation.W}));
		Object->SetField(TEXT("scale"), JsonNumbers({Scale.X, Scale.Y, Scale.Z}));
		if (HasLens(Camera))
		{
			TSharedRef<FJsonObject> Lens = MakeShared<FJsonObject>();
			Lens->SetField(TEXT("focalLength"), JsonNumber(Camera.FocalLength));
			Lens->SetField(TEXT("focusDistance"), JsonNumber(Camera.FocusDistance));
			Lens->SetField(TEXT("aspectRatio"), JsonNumber(Camera.AspectRatio));
			Lens->SetField(TEXT("fieldOfView"), JsonNumber(Camera.FieldOfView));
			Object->SetObjectField(TEXT("lens"), TSharedPtr<FJsonObject>(Lens));
		}
		else
		{
			Object->SetField(TEXT("lens"), MakeShared<FJsonValueNull>());
		}
		return ToJsonLine(Object);
	}

	FString FrameToText(const FLiveLinkCameraFrameData& Camera)
	{
		const FQualifiedFrameTime& SceneTime = Camera.MetaData.SceneTime;
		const FVector Location = Camera.Transform.GetLocation();
		const FQuat Rotation = Camera.Transform.GetRotation();
		const FVector Scale = Camera.Transform.GetScale3D();

		FString Line = TEXT("frame ");
		if (HasSceneTime(SceneTime))
		{
			Line += FString::Printf(TEXT("%d"), SceneTime.Time.GetFrame().Value);
			if (SceneTime.Time.GetSubFrame() != 0.f)
			{
				Line += TEXT(" sub ") + Readable(SceneTime.Time.GetSubFrame());
			}
			Line += FString::Printf(TEXT(" (%d/%d)"), SceneTime.Rate.Numerator, SceneTime.Rate.Denominator);
		}
		else
		{
			Line += TEXT("-");
		}
		Line += TEXT(" loc ") + Readable(Location.X) + TEXT(" ") + Readable(Location.Y) + TEXT(" ") + Readable(Location.Z);
		Line += TEXT(" rot ") + Readable(Rotation.X) + TEXT(" ") + Readable(Rotation.Y) + TEXT(" ") + Readable(Rotation.Z) + TEXT(" ") + Readable(Rotation.W);
		Line += TEXT(" scale ") + Readable(Scale.X) + TEXT(" ") + Readable(Scale.Y) + TEXT(" ") + Readable(Scale.Z);
		if (HasLens(Camera))
		{
			Line += TEXT(" lens focal ") + Readable(Camera.FocalLength) + TEXT(" focus ") + Readable(Camera.FocusDistance) + TEXT(" aspect ") + Readable(Camera.AspectRatio) + TEXT(" fov ") + Readable(Camera.FieldOfView);
		}
		else
		{
			Line += TEXT(" lens -");
		}
		return Line;
	}

	/** A JSON number with at most three decimals; these figures are measurements, not values to read back. */
	FString MeasuredNumber(double Value)
	{
		if (!std::isfinite(Value))
		{
			return TEXT("null");
		}
		FString Text = FString::Printf(TEXT("%.3f"), Value);
		while (Text.EndsWith(TEXT("0")))
		{
			Text = Text.LeftChop(1);
		}
		if (Text.EndsWith(TEXT(".")))
		{
			Text = Text.LeftChop(1);
		}
		return Text == TEXT("-0") ? FString(TEXT("0")) : Text;
	}

	bool IsSkipWarning(const TCHAR* Message, ELogVerbosity::Type Verbosity, const FName& Category)
	{
		return (Verbosity & ELogVerbosity::VerbosityMask) == ELogVerbosity::Warning && Category == FName(TEXT("ModuleLog")) && FString(Message).StartsWith(TEXT("Orvane Live Link: skip "));
	}
}

FLiveLinkListener::FLiveLinkListener(bool bInJsonLines, bool bInKeepFrames)
	: bJsonLines(bInJsonLines)
	, bKeepFrames(bInKeepFrames)
{
}

FLiveLinkListener::~FLiveLinkListener()
{
	Close();
}

FLiveLinkListener::EOpenResult FLiveLinkListener::Open(const FString& Endpoint)
{
	FModuleManager::Get().LoadModule(TEXT("LiveLink"));
	FModuleManager::Get().LoadModule(TEXT("OrvaneLiveLink"));
	IModularFeatures& Features = IModularFeatures::Get();
	if (Features.GetModularFeatureImplementationCount(ILiveLinkClient::ModularFeatureName) < 1)
	{
		return EOpenResult::NoClient;
	}
	// The LiveLink module registers the headless client, the only implementation in this host.
	Client = static_cast<FLiveLinkClient*>(Features.GetModularFeatureImplementation(ILiveLinkClient::ModularFeatureName, 0));

	if (!bLogDeviceAdded)
	{
		{
			std::lock_guard<std::mutex> Lock(OutputMutex);
			bHoldLogLines = true;
		}
		GLog->SetStdErrEcho(false);
		GLog->AddOutputDevice(this);
		bLogDeviceAdded = true;
	}
	Source = GetDefault<UOrvaneLiveLinkSourceFactory>()->CreateSource(Endpoint);
	if (!Source.IsValid())
	{
		return EOpenResult::BadEndpoint;
	}
	// The factory builds only this source type.
	EndpointText = StaticCastSharedPtr<FOrvaneLiveLinkSource>(Source)->GetEndpoint().ToString();
	if (!Source->IsSourceStillValid())
	{
		return EOpenResult::NotListening;
	}

	ConnectionString = Endpoint;
	return EOpenResult::Listening;
}

void FLiveLinkListener::PrintStatus()
{
	const FString Status = Source.IsValid() ? Source->GetSourceStatus().ToString() : FString(TEXT("No Source"));
	if (bJsonLines)
	{
		TSharedRef<FJsonObject> Object = MakeShared<FJsonObject>();
		Object->SetStringField(TEXT("type"), TEXT("status"));
		Object->SetStringField(TEXT("status"), Status);
		Object->SetStringField(TEXT("endpoint"), EndpointText);
		WriteLine(ToJsonLine(Object));
	}
	else
	{
		WriteLine(FString::Printf(TEXT("status %s on %s"), *Status, *EndpointText));
	}
	WriteHeldLogLines();
}

void FLiveLinkListener::WriteHeldLogLines()
{
	std::vector<FString> Held;
	{
		std::lock_guard<std::mutex> Lock(OutputMutex);
		bHoldLogLines = false;
		Held.swap(HeldLogLines);
	}
	for (const FString& Line : Held)
	{
		WriteLine(Line);
	}
}

void FLiveLinkListener::Start()
{
	if (!Client || !Source.IsValid() || SourceGuid.IsValid())
	{
		return;
	}
	// Lines are printed from the first push on: ReceiveClient pushes the static data inside AddSource.
	ObserverHandle = Client->HostAddPushObserver([this](const FLiveLinkHostPushRecord& Record)
		{ OnPush(Record); });

	SourceGuid = Client->AddSource(Source);
	if (ULiveLinkSourceSettings* Settings = Client->GetSourceSettings(SourceGuid))
	{
		Settings->ConnectionString = ConnectionString;
		Settings->Factory = UOrvaneLiveLinkSourceFactory::StaticClass();
	}
}

void FLiveLinkListener::TickUntil(double TickHz, const TFunction<bool()>& ShouldStop)
{
	if (!Client || TickHz <= 0.0)
	{
		return;
	}
	using FClock = std::chrono::steady_clock;
	const FClock::duration Interval = std::chrono::duration_cast<FClock::duration>(std::chrono::duration<double>(1.0 / TickHz));
	const FClock::duration MaxSleep = std::chrono::milliseconds(50);
	FClock::time_point NextTick = FClock::now();
	FClock::time_point NextHealth = NextTick + std::chrono::seconds(1);
	while (!ShouldStop())
	{
		if (bHealthLines && FClock::now() >= NextHealth)
		{
			PrintHealth();
			NextHealth += std::chrono::seconds(1);
		}
		if (FClock::now() >= NextTick)
		{
			Client->Tick();
			if (FrameTick)
			{
				FrameTick(static_cast<float>(1.0 / TickHz));
			}
			NextTick += Interval;
			// A tick that ran long starts a new schedule rather than a burst of catch-up ticks.
			if (NextTick < FClock::now())
			{
				NextTick = FClock::now() + Interval;
			}
			continue;
		}
		FClock::time_point Wake = std::min(NextTick, FClock::now() + MaxSleep);
		if (bHealthLines)
		{
			Wake = std::min(Wake, NextHealth);
		}
		std::this_thread::sleep_until(Wake);
	}
}

void FLiveLinkListener::Close()
{
	if (Client && SourceGuid.IsValid())
	{
		Client->RemoveSource(SourceGuid);
		// The client releases a removed source once its shutdown request succeeds, retried on each tick.
		for (int32 Tick = 0; Tick < 500 && (Client->HostGetPendingRemovalCount() > 0 || Client->GetSources(true).Contains(SourceGuid)); ++Tick)
		{
			Client->Tick();
			std::this_thread::sleep_for(std::chrono::milliseconds(10));
		}
		SourceGuid.Invalidate();
	}
	if (Client && ObserverHandle != 0)
	{
		Client->HostRemovePushObserver(ObserverHandle);
		ObserverHandle = 0;
	}
	if (Source.IsValid())
	{
		// The receiver has stopped by now, so these are the final figures.
		FinalHealth = StaticCastSharedPtr<FOrvaneLiveLinkSource>(Source)->GetLinkHealth();
	}
	Source.Reset();
	if (bLogDeviceAdded)
	{
		GLog->RemoveOutputDevice(this);
		WriteHeldLogLines();
		GLog->SetStdErrEcho(true);
		bLogDeviceAdded = false;
	}
}

FOrvaneLinkHealthSnapshot FLiveLinkListener::GetLinkHealth() const
{
	// The factory builds only this source type.
	return Source.IsValid() ? StaticCastSharedPtr<FOrvaneLiveLinkSource>(Source)->GetLinkHealth() : FinalHealth;
}

void FLiveLinkListener::PrintHealth()
{
	WriteLine(FormatHealthLine(GetLinkHealth()));
}

void FLiveLinkListener::PrintSummary()
{
	WriteLine(FormatSummaryLine(GetLinkHealth(), FramesPublished.load() + FramesRefused.load()));
}

FString FLiveLinkListener::FormatHealthLine(const FOrvaneLinkHealthSnapshot& Health)
{
	// Written by hand: readers match the keys in this order.
	const FString Age = Health.LastPacketAgeMs < 0.0 ? FString(TEXT("null")) : MeasuredNumber(Health.LastPacketAgeMs);
	return FString::Printf(TEXT("{\"type\":\"health\",\"received\":%lld,\"decoded\":%lld,\"refused\":%lld,\"rateHz\":%s,\"jitterMs\":%s,\"gaps\":%lld,\"repeats\":%lld,\"lastPacketAgeMs\":%s}"),
		static_cast<long long>(Health.Received), static_cast<long long>(Health.Decoded), static_cast<long long>(Health.Refused),
		*MeasuredNumber(Health.RateHz), *MeasuredNumber(Health.JitterMs), static_cast<long long>(Health.Gaps), static_cast<long long>(Health.Repeats), *Age);
}

FString FLiveLinkListener::FormatSummaryLine(const FOrvaneLinkHealthSnapshot& Health, int64 Pushed)
{
	return FString::Printf(TEXT("{\"type\":\"summary\",\"received\":%lld,\"decoded\":%lld,\"refused\":%lld,\"pushed\":%lld}"),
		static_cast<long long>(Health.Received), static_cast<long long>(Health.Decoded), static_cast<long long>(Health.Refused), static_cast<long long>(Pushed));
}

std::vector<FListenedFrame> FLiveLinkListener::GetFrames() const
{
	std::lock_guard<std::mutex> Lock(OutputMutex);
	return Frames;
}

void FLiveLinkListener::OnPush(const FLiveLinkHostPushRecord& Record)
{
	const FString Subject = Record.SubjectKey.SubjectName.ToString();
	if (Record.Kind == FLiveLinkHostPushRecord::EKind::StaticData)
	{
		const FLiveLinkCameraStaticData* Camera = Record.StaticData.IsValid() ? Record.StaticData->Cast<FLiveLinkCameraStaticData>() : nullptr;
		if (!Camera)
		{
			return;
		}
		if (bJsonLines)
		{
			TSharedRef<FJsonObject> Object = MakeShared<FJsonObject>();
			Object->SetStringField(TEXT("type"), TEXT("static"));
			Object->SetStringField(TEXT("subject"), Subject);
			Object->SetField(TEXT("filmback"), JsonNumbers({Camera->FilmBackWidth, Camera->FilmBackHeight}));
			WriteLine(ToJsonLine(Object));
		}
		else
		{
			WriteLine(FString::Printf(TEXT("static %s filmback %s %s"), *Subject, *Readable(Camera->FilmBackWidth), *Readable(Camera->FilmBackHeight)));
		}
		return;
	}

	const FLiveLinkCameraFrameData* Camera = Record.FrameData.IsValid() ? Record.FrameData->Cast<FLiveLinkCameraFrameData>() : nullptr;
	const FString Line = Camera ? (bJsonLines ? FrameToJson(Subject, *Camera) : FrameToText(*Camera)) : FString();
	std::lock_guard<std::mutex> Lock(OutputMutex);
	// Counted under the output lock, so a count read after a line was printed includes that line.
	(Record.bQueued ? FramesPublished : FramesRefused).fetch_add(1);
	if (!Camera)
	{
		return;
	}
	if (Record.bQueued && bKeepFrames && HasSceneTime(Camera->MetaData.SceneTime))
	{
		Frames.push_back(FListenedFrame{Camera->MetaData.SceneTime.Time.GetFrame().Value, Record.ArrivalNanoseconds});
	}
	const FTCHARToUTF8 Utf8(*Line, Line.Len());
	std::fwrite(Utf8.Get(), 1, static_cast<size_t>(Utf8.Length()), stdout);
	std::fputc('\n', stdout);
	std::fflush(stdout);
}

void FLiveLinkListener::Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category)
{
	if (IsSkipWarning(V, Verbosity, Category))
	{
		SkipWarnings.fetch_add(1);
	}
	FString Line;
	if (bJsonLines)
	{
		TSharedRef<FJsonObject> Object = MakeShared<FJsonObject>();
		Object->SetStringField(TEXT("type"), TEXT("log"));
		Object->SetStringField(TEXT("category"), Category.ToString());
		Object->SetStringField(TEXT("verbosity"), ToString(Verbosity));
		Object->SetStringField(TEXT("message"), FString(V));
		Line = ToJsonLine(Object);
	}
	else
	{
		Line = FString::Printf(TEXT("log %s: %s: %s"), *Category.ToString(), ToString(Verbosity), V);
	}
	{
		std::lock_guard<std::mutex> Lock(OutputMutex);
		if (bHoldLogLines)
		{
			// Bounded: only the source's creation logs before the status line is printed.
			if (HeldLogLines.size() < 1000)
			{
				HeldLogLines.push_back(MoveTemp(Line));
			}
			return;
		}
	}
	WriteLine(Line);
}

void FLiveLinkListener::WriteLine(const FString& Line)
{
	const FTCHARToUTF8 Utf8(*Line, Line.Len());
	std::lock_guard<std::mutex> Lock(OutputMutex);
	std::fwrite(Utf8.Get(), 1, static_cast<size_t>(Utf8.Length()), stdout);
	std::fputc('\n', stdout);
	// Each line leaves at once, so a reader of a pipe sees it as it happens and a stop loses none.
	std::fflush(stdout);
}
