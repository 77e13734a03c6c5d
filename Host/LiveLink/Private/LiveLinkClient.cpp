// Copyright Kelmora. All Rights Reserved.
#include "LiveLinkClient.h"

#include "HAL/PlatformTime.h"
#include "ILiveLinkSource.h"
#include "LiveLinkHostLog.h"
#include "LiveLinkRoleTrait.h"
#include "LiveLinkSourceFactory.h"
#include "LiveLinkSourceSettings.h"
#include "LiveLinkSubjectSettings.h"
#include "Misc/ScopeLock.h"
#include "Templates/Casts.h"
#include "UObject/Package.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <limits>
#include <mutex>
#include <vector>

namespace UE::LiveLink::Host
{
	/** A tick that is never run must not let the queue grow without bound (a tool that only observes). */
	constexpr int32 MaxQueuedFrames = 4096;

	int64 SteadyNanoseconds()
	{
		return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
	}

	ULiveLinkSourceSettings* CopySourceSettings(const ULiveLinkSourceSettings* From, UObject* Outer)
	{
		if (!From)
		{
			return nullptr;
		}
		ULiveLinkSourceSettings* Copy = NewObject<ULiveLinkSourceSettings>(Outer ? Outer : GetTransientPackageAsObject(), From->GetClass());
		// Host: only the base class's fields are copied; a settings subclass's own fields keep their defaults.
		Copy->Mode = From->Mode;
		Copy->BufferSettings = From->BufferSettings;
		Copy->ConnectionString = From->ConnectionString;
		Copy->Factory = From->Factory;
		return Copy;
	}

	ULiveLinkSubjectSettings* CopySubjectSettings(const ULiveLinkSubjectSettings* From, UObject* Outer)
	{
		if (!From)
		{
			return nullptr;
		}
		ULiveLinkSubjectSettings* Copy = NewObject<ULiveLinkSubjectSettings>(Outer ? Outer : GetTransientPackageAsObject(), From->GetClass());
		Copy->Role = From->Role;
		Copy->FrameRate = From->FrameRate;
		Copy->bRebroadcastSubject = From->bRebroadcastSubject;
		if (From->InterpolationProcessor)
		{
			Copy->InterpolationProcessor = NewObject<ULiveLinkFrameInterpolationProcessor>(Copy, From->InterpolationProcessor->GetClass());
		}
		return Copy;
	}
}

using namespace UE::LiveLink::Host;

struct FLiveLinkClient::FImpl
{
	struct FSourceEntry
	{
		FGuid Guid;
		TSharedPtr<ILiveLinkSource> Source;
		ULiveLinkSourceSettings* Settings = nullptr;
		bool bPendingKill = false;
	};

	struct FSubject
	{
		FLiveLinkSubjectKey Key;
		TSubclassOf<ULiveLinkRole> Role;
		ULiveLinkSubjectSettings* Settings = nullptr;
		bool bEnabled = true;
		FLiveLinkStaticDataStruct StaticData;
		std::deque<FLiveLinkFrameDataStruct> Frames;
		/** What the last tick evaluated; what EvaluateFrame_AnyThread returns. */
		bool bHasSnapshot = false;
		FLiveLinkFrameDataStruct SnapshotFrame;
	};

	struct FQueuedPush
	{
		FLiveLinkHostPushRecord::EKind Kind;
		FLiveLinkSubjectKey Key;
		TSubclassOf<ULiveLinkRole> Role;
		FLiveLinkStaticDataStruct StaticData;
		FLiveLinkFrameDataStruct FrameData;
	};

	/** Sources and subjects. Never held while a source's code runs (it may be stopping a thread that pushes). */
	mutable FCriticalSection Lock;
	std::vector<FSourceEntry> Sources;
	std::vector<std::unique_ptr<FSubject>> Subjects;

	/**
	 * The settings objects of the sources and subjects, for the garbage collector. The collector calls in while
	 * holding the object system's lock, which code under Lock takes too (NewObject), so it must not wait for
	 * Lock: it takes this lock, which is held for nothing else.
	 */
	std::mutex ReferencesMutex;
	std::vector<UObject*> References;

	/** Pushes waiting for the next tick. */
	FCriticalSection QueueLock;
	std::vector<FQueuedPush> Queue;
	int32 QueuedFrames = 0;
	bool bQueueFullLogged = false;

	/** Host-only controls. */
	mutable std::mutex RecordMutex;
	mutable std::condition_variable RecordCondition;
	bool bRecording = false;
	std::vector<FLiveLinkHostPushRecord> Records;
	int64 FramePushCount = 0;

	std::recursive_mutex ObserverMutex;
	std::vector<std::pair<int32, TFunction<void(const FLiveLinkHostPushRecord&)>>> Observers;
	int32 NextObserverHandle = 1;

	/**
	 * Asks a source to shut down while holding the pending-frames lock, as the engine's client does: a source
	 * that waited here for a thread still pushing frames would never return. Not under Lock.
	 */
	bool RequestShutdown(ILiveLinkSource& Source)
	{
		FScopeLock QueueScope(&QueueLock);
		return Source.RequestSourceShutdown();
	}

	/** Under Lock, after sources or subjects change: what the garbage collector keeps alive from now on. */
	void UpdateReferencesLocked()
	{
		std::vector<UObject*> Current;
		Current.reserve(Sources.size() + Subjects.size());
		for (const FSourceEntry& Entry : Sources)
		{
			if (Entry.Settings)
			{
				Current.push_back(Entry.Settings);
			}
		}
		for (const std::unique_ptr<FSubject>& Subject : Subjects)
		{
			if (Subject->Settings)
			{
				Current.push_back(Subject->Settings);
			}
		}
		std::lock_guard<std::mutex> ReferencesLock(ReferencesMutex);
		References.swap(Current);
	}

	const FSourceEntry* FindLiveSourceLocked(const FGuid& Guid) const
	{
		for (const FSourceEntry& Entry : Sources)
		{
			if (!Entry.bPendingKill && Entry.Guid == Guid)
			{
				return &Entry;
			}
		}
		return nullptr;
	}

	FSubject* FindSubjectLocked(const FLiveLinkSubjectKey& Key) const
	{
		for (const std::unique_ptr<FSubject>& Subject : Subjects)
		{
			if (Subject->Key == Key)
			{
				return Subject.get();
			}
		}
		return nullptr;
	}

	bool IsNameEnabledLocked(const FLiveLinkSubjectName& Name, const FSubject* Except) const
	{
		for (const std::unique_ptr<FSubject>& Subject : Subjects)
		{
			if (Subject.get() != Except && Subject->bEnabled && Subject->Key.SubjectName == Name)
			{
				return true;
			}
		}
		return false;
	}

	/** Game thread: makes a subject and its settings with the role's default interpolation. */
	FSubject* CreateSubjectLocked(const FLiveLinkSubjectKey& Key, TSubclassOf<ULiveLinkRole> Role, ULiveLinkSubjectSettings* Settings)
	{
		std::unique_ptr<FSubject> Subject = std::make_unique<FSubject>();
		Subject->Key = Key;
		Subject->Role = Role;
		if (!Settings)
		{
			Settings = NewObject<ULiveLinkSubjectSettings>(GetTransientPackageAsObject());
			Settings->Role = Role;
			TArray<TSubclassOf<ULiveLinkFrameInterpolationProcessor>> Processors = FLiveLinkRoleTrait::GetFrameInterpolationProcessorClasses(Role);
			if (Processors.Num() > 0)
			{
				Settings->InterpolationProcessor = NewObject<ULiveLinkFrameInterpolationProcessor>(Settings, Processors[0].Get());
			}
		}
		Subject->Settings = Settings;
		// As in the engine, only one subject of a name is enabled: the first.
		Subject->bEnabled = !IsNameEnabledLocked(Key.SubjectName, nullptr);
		Subjects.push_back(std::move(Subject));
		return Subjects.back().get();
	}

	void RemoveSubjectsOfSourceLocked(const FGuid& SourceGuid)
	{
		std::erase_if(Subjects, [&SourceGuid](const std::unique_ptr<FSubject>& Subject)
			{ return Subject->Key.Source == SourceGuid; });
	}

	void ApplyQueuedLocked(FQueuedPush& Push)
	{
		const FSourceEntry* Source = FindLiveSourceLocked(Push.Key.Source);
		if (!Source)
		{
			UE_LOG(LogLiveLink, Verbose, TEXT("Dropped data for subject '%s': its source is gone."), *Push.Key.SubjectName.ToString());
			return;
		}
		FSubject* Subject = FindSubjectLocked(Push.Key);
		if (Push.Kind == FLiveLinkHostPushRecord::EKind::StaticData)
		{
			if (Subject && Subject->Role.Get() != Push.Role.Get())
			{
				UE_LOG(LogLiveLink, Warning, TEXT("Subject '%s' changed role; it is made again."), *Push.Key.SubjectName.ToString());
				std::erase_if(Subjects, [Subject](const std::unique_ptr<FSubject>& Each)
					{ return Each.get() == Subject; });
				Subject = nullptr;
			}
			if (!Subject)
			{
				Subject = CreateSubjectLocked(Push.Key, Push.Role, nullptr);
			}
			// New static data makes the buffered frames meaningless, as in the engine.
			Subject->StaticData = MoveTemp(Push.StaticData);
			Subject->Frames.clear();
			Subject->bHasSnapshot = false;
			Subject->SnapshotFrame.Reset();
			return;
		}

		if (!Subject || !Subject->StaticData.IsValid())
		{
			UE_LOG(LogLiveLink, Verbose, TEXT("Dropped a frame for subject '%s': it has no static data."), *Push.Key.SubjectName.ToString());
			return;
		}
		const ULiveLinkRole* Role = Subject->Role.GetDefaultObject();
		bool bShouldLogWarning = false;
		if (!Role || !Role->IsFrameDataValid(Subject->StaticData, Push.FrameData, bShouldLogWarning))
		{
			UE_LOG(LogLiveLink, Warning, TEXT("Dropped a frame for subject '%s': its data is not of the subject's role."), *Push.Key.SubjectName.ToString());
			return;
		}
		const int32 MaxFrames = FMath::Max(Source->Settings ? Source->Settings->BufferSettings.MaxNumberOfFrameToBuffered : 10, 1);
		Subject->Frames.push_back(MoveTemp(Push.FrameData));
		while (int32(Subject->Frames.size()) > MaxFrames)
		{
			Subject->Frames.pop_front();
		}
	}

	/** The buffered frame the source's mode selects; null when there is none. */
	static const FLiveLinkFrameDataStruct* SelectFrame(const FSubject& Subject, const ULiveLinkSourceSettings* Settings)
	{
		if (Subject.Frames.empty())
		{
			return nullptr;
		}
		const int32 Count = int32(Subject.Frames.size());
		const ELiveLinkSourceMode Mode = Settings ? Settings->Mode : ELiveLinkSourceMode::Latest;
		if (Mode == ELiveLinkSourceMode::EngineTime)
		{
			// The newest frame at or before now less the offset; the oldest when all are later. No blending.
			const double EvaluationTime = FPlatformTime::Seconds() - double(Settings->BufferSettings.EngineTimeOffset);
			const FLiveLinkFrameDataStruct* Best = nullptr;
			const FLiveLinkFrameDataStruct* Oldest = nullptr;
			for (const FLiveLinkFrameDataStruct& Frame : Subject.Frames)
			{
				const double Time = Frame.GetBaseData()->WorldTime.GetOffsettedTime();
				if (Time <= EvaluationTime && (!Best || Time >= Best->GetBaseData()->WorldTime.GetOffsettedTime()))
				{
					Best = &Frame;
				}
				if (!Oldest || Time < Oldest->GetBaseData()->WorldTime.GetOffsettedTime())
				{
					Oldest = &Frame;
				}
			}
			return Best ? Best : Oldest;
		}
		if (Mode == ELiveLinkSourceMode::Timecode)
		{
			// The host has no timecode provider: "now" is the newest scene time received, less the offset
			// in frames of that time's rate; the frame with the nearest scene time is taken.
			double Newest = -std::numeric_limits<double>::infinity();
			double Interval = 0.0;
			for (const FLiveLinkFrameDataStruct& Frame : Subject.Frames)
			{
				const FQualifiedFrameTime& SceneTime = Frame.GetBaseData()->MetaData.SceneTime;
				if (SceneTime.AsSeconds() > Newest)
				{
					Newest = SceneTime.AsSeconds();
					Interval = SceneTime.Rate.Numerator != 0 ? SceneTime.Rate.AsInterval() : 0.0;
				}
			}
			const double Target = Newest - double(Settings->BufferSettings.TimecodeFrameOffset) * Interval;
			const FLiveLinkFrameDataStruct* Best = nullptr;
			double BestDistance = std::numeric_limits<double>::infinity();
			for (const FLiveLinkFrameDataStruct& Frame : Subject.Frames)
			{
				const double Distance = FMath::Abs(Frame.GetBaseData()->MetaData.SceneTime.AsSeconds() - Target);
				if (Distance <= BestDistance)
				{
					BestDistance = Distance;
					Best = &Frame;
				}
			}
			return Best;
		}
		const int32 Offset = FMath::Clamp(Settings ? Settings->BufferSettings.LatestOffset : 0, 0, Count - 1);
		return &Subject.Frames[size_t(Count - 1 - Offset)];
	}

	void Notify(const FLiveLinkHostPushRecord& Record)
	{
		{
			std::lock_guard<std::mutex> RecordLock(RecordMutex);
			if (Record.Kind == FLiveLinkHostPushRecord::EKind::FrameData)
			{
				++FramePushCount;
			}
			if (bRecording)
			{
				Records.push_back(Record);
			}
		}
		RecordCondition.notify_all();
		std::lock_guard<std::recursive_mutex> ObserverLock(ObserverMutex);
		for (const auto& Observer : Observers)
		{
			Observer.second(Record);
		}
	}

	bool WantsCopies()
	{
		{
			std::lock_guard<std::mutex> RecordLock(RecordMutex);
			if (bRecording)
			{
				return true;
			}
		}
		std::lock_guard<std::recursive_mutex> ObserverLock(ObserverMutex);
		return !Observers.empty();
	}
};

FLiveLinkClient::FLiveLinkClient()
	: Impl(MakeUnique<FImpl>())
{
}

FLiveLinkClient::~FLiveLinkClient()
{
	// Sources still here get one shutdown request each and are released whatever they answer.
	std::vector<FImpl::FSourceEntry> Remaining;
	{
		FScopeLock ScopeLock(&Impl->Lock);
		Remaining.swap(Impl->Sources);
		Impl->Subjects.clear();
		Impl->UpdateReferencesLocked();
	}
	for (FImpl::FSourceEntry& Entry : Remaining)
	{
		if (!Entry.bPendingKill && Entry.Source)
		{
			Impl->RequestShutdown(*Entry.Source);
		}
	}
}

FGuid FLiveLinkClient::AddSource(TSharedPtr<ILiveLinkSource> InSource)
{
	if (!InSource)
	{
		return FGuid();
	}
	const FGuid Guid = FGuid::NewGuid();
	ULiveLinkSourceSettings* Settings = nullptr;
	{
		FScopeLock ScopeLock(&Impl->Lock);
		for (const FImpl::FSourceEntry& Entry : Impl->Sources)
		{
			if (Entry.Source == InSource)
			{
				return FGuid();
			}
		}
		UClass* SettingsClass = InSource->GetSettingsClass().Get();
		Settings = NewObject<ULiveLinkSourceSettings>(GetTransientPackageAsObject(), SettingsClass ? SettingsClass : ULiveLinkSourceSettings::StaticClass());
		Impl->Sources.push_back(FImpl::FSourceEntry{Guid, InSource, Settings, false});
		Impl->UpdateReferencesLocked();
	}
	// Outside the lock: the source may push (or start a thread that pushes) from here.
	InSource->ReceiveClient(this, Guid);
	InSource->InitializeSettings(Settings);
	return Guid;
}

bool FLiveLinkClient::CreateSource(const FLiveLinkSourcePreset& InSourcePreset)
{
	const ULiveLinkSourceSettings* PresetSettings = InSourcePreset.Settings.Get();
	UClass* FactoryClass = PresetSettings ? PresetSettings->Factory.Get() : nullptr;
	if (!FactoryClass || FactoryClass->HasAnyClassFlags(CLASS_Abstract))
	{
		UE_LOG(LogLiveLink, Warning, TEXT("CreateSource: the preset has no source factory."));
		return false;
	}
	const ULiveLinkSourceFactory* Factory = FactoryClass->GetDefaultObject<ULiveLinkSourceFactory>();
	TSharedPtr<ILiveLinkSource> Source = Factory->CreateSource(PresetSettings->ConnectionString);
	if (!Source)
	{
		UE_LOG(LogLiveLink, Warning, TEXT("CreateSource: the factory made no source from '%s'."), *PresetSettings->ConnectionString);
		return false;
	}
	const FGuid Guid = InSourcePreset.Guid.IsValid() ? InSourcePreset.Guid : FGuid::NewGuid();
	ULiveLinkSourceSettings* Settings = nullptr;
	{
		FScopeLock ScopeLock(&Impl->Lock);
		if (Impl->FindLiveSourceLocked(Guid))
		{
			UE_LOG(LogLiveLink, Warning, TEXT("CreateSource: a source with guid %s already exists."), *Guid.ToString());
			return false;
		}
		Settings = CopySourceSettings(PresetSettings, GetTransientPackageAsObject());
		Impl->Sources.push_back(FImpl::FSourceEntry{Guid, Source, Settings, false});
		Impl->UpdateReferencesLocked();
	}
	Source->ReceiveClient(this, Guid);
	Source->InitializeSettings(Settings);
	return true;
}

void FLiveLinkClient::RemoveSource(TSharedPtr<ILiveLinkSource> InSource)
{
	FGuid Guid;
	{
		FScopeLock ScopeLock(&Impl->Lock);
		for (const FImpl::FSourceEntry& Entry : Impl->Sources)
		{
			if (!Entry.bPendingKill && InSource && Entry.Source == InSource)
			{
				Guid = Entry.Guid;
			}
		}
	}
	if (Guid.IsValid())
	{
		RemoveSource(Guid);
	}
}

void FLiveLinkClient::RemoveSource(FGuid InEntryGuid)
{
	TSharedPtr<ILiveLinkSource> Source;
	{
		FScopeLock ScopeLock(&Impl->Lock);
		for (FImpl::FSourceEntry& Entry : Impl->Sources)
		{
			if (!Entry.bPendingKill && Entry.Guid == InEntryGuid)
			{
				Entry.bPendingKill = true;
				Source = Entry.Source;
				break;
			}
		}
		if (!Source)
		{
			return;
		}
		Impl->RemoveSubjectsOfSourceLocked(InEntryGuid);
		Impl->UpdateReferencesLocked();
	}
	if (Impl->RequestShutdown(*Source))
	{
		FScopeLock ScopeLock(&Impl->Lock);
		std::erase_if(Impl->Sources, [&Source](const FImpl::FSourceEntry& Entry)
			{ return Entry.bPendingKill && Entry.Source == Source; });
		Impl->UpdateReferencesLocked();
	}
	// The last reference may go here, outside the lock, so the source's destructor can stop its thread.
	Source.Reset();
}

void FLiveLinkClient::RemoveAllSources()
{
	for (const FGuid& Guid : GetSources(false))
	{
		RemoveSource(Guid);
	}
}

TArray<FGuid> FLiveLinkClient::GetSources(bool bEvenIfPendingKill) const
{
	TArray<FGuid> Result;
	FScopeLock ScopeLock(&Impl->Lock);
	for (const FImpl::FSourceEntry& Entry : Impl->Sources)
	{
		if (bEvenIfPendingKill || !Entry.bPendingKill)
		{
			Result.Add(Entry.Guid);
		}
	}
	return Result;
}

FLiveLinkSourcePreset FLiveLinkClient::GetSourcePreset(FGuid SourceGuid, UObject* DuplicatedObjectOuter) const
{
	FLiveLinkSourcePreset Preset;
	TSharedPtr<ILiveLinkSource> Source;
	{
		FScopeLock ScopeLock(&Impl->Lock);
		const FImpl::FSourceEntry* Entry = Impl->FindLiveSourceLocked(SourceGuid);
		if (!Entry)
		{
			return Preset;
		}
		Preset.Guid = Entry->Guid;
		Preset.Settings = CopySourceSettings(Entry->Settings, DuplicatedObjectOuter);
		Source = Entry->Source;
	}
	Preset.SourceType = Source->GetSourceType();
	return Preset;
}

FLiveLinkSubjectPreset FLiveLinkClient::GetSubjectPreset(const FLiveLinkSubjectKey& SubjectKey, UObject* DuplicatedObjectOuter) const
{
	FLiveLinkSubjectPreset Preset;
	FScopeLock ScopeLock(&Impl->Lock);
	if (const FImpl::FSubject* Subject = Impl->FindSubjectLocked(SubjectKey))
	{
		Preset.Key = Subject->Key;
		Preset.Role = Subject->Role;
		Preset.Settings = CopySubjectSettings(Subject->Settings, DuplicatedObjectOuter);
		Preset.bEnabled = Subject->bEnabled;
	}
	return Preset;
}

bool FLiveLinkClient::CreateSubject(const FLiveLinkSubjectPreset& SubjectPreset)
{
	if (!SubjectPreset.Role.Get() || SubjectPreset.Key.SubjectName.IsNone())
	{
		return false;
	}
	FScopeLock ScopeLock(&Impl->Lock);
	if (!Impl->FindLiveSourceLocked(SubjectPreset.Key.Source) || Impl->FindSubjectLocked(SubjectPreset.Key))
	{
		return false;
	}
	ULiveLinkSubjectSettings* Settings = CopySubjectSettings(Cast<ULiveLinkSubjectSettings>(SubjectPreset.Settings.Get()), GetTransientPackageAsObject());
	FImpl::FSubject* Subject = Impl->CreateSubjectLocked(SubjectPreset.Key, SubjectPreset.Role, Settings);
	if (!SubjectPreset.bEnabled)
	{
		Subject->bEnabled = false;
	}
	Impl->UpdateReferencesLocked();
	return true;
}

void FLiveLinkClient::PushSubjectStaticData_AnyThread(const FLiveLinkSubjectKey& SubjectKey, TSubclassOf<ULiveLinkRole> Role, FLiveLinkStaticDataStruct&& StaticData)
{
	FLiveLinkHostPushRecord Record;
	Record.Kind = FLiveLinkHostPushRecord::EKind::StaticData;
	Record.ArrivalNanoseconds = SteadyNanoseconds();
	Record.SubjectKey = SubjectKey;
	Record.Role = Role;
	if (Impl->WantsCopies())
	{
		TSharedRef<FLiveLinkStaticDataStruct> Copy = MakeShared<FLiveLinkStaticDataStruct>();
		Copy->InitializeWith(StaticData);
		Record.StaticData = Copy;
	}

	const ULiveLinkRole* RoleObject = Role.GetDefaultObject();
	bool bShouldLogWarning = false;
	if (!RoleObject || !StaticData.IsValid() || !RoleObject->IsStaticDataValid(StaticData, bShouldLogWarning))
	{
		UE_LOG(LogLiveLink, Warning, TEXT("Dropped static data for subject '%s': no role, or data not of the role."), *SubjectKey.SubjectName.ToString());
	}
	else
	{
		FScopeLock QueueScope(&Impl->QueueLock);
		Impl->Queue.push_back(FImpl::FQueuedPush{Record.Kind, SubjectKey, Role, MoveTemp(StaticData), FLiveLinkFrameDataStruct()});
		Record.bQueued = true;
	}
	Impl->Notify(Record);
}

void FLiveLinkClient::PushSubjectFrameData_AnyThread(const FLiveLinkSubjectKey& SubjectKey, FLiveLinkFrameDataStruct&& FrameData)
{
	FLiveLinkHostPushRecord Record;
	Record.Kind = FLiveLinkHostPushRecord::EKind::FrameData;
	Record.ArrivalNanoseconds = SteadyNanoseconds();
	Record.SubjectKey = SubjectKey;
	if (Impl->WantsCopies())
	{
		TSharedRef<FLiveLinkFrameDataStruct> Copy = MakeShared<FLiveLinkFrameDataStruct>();
		Copy->InitializeWith(FrameData);
		Record.FrameData = Copy;
	}

	if (FrameData.IsValid())
	{
		FScopeLock QueueScope(&Impl->QueueLock);
		if (Impl->QueuedFrames < MaxQueuedFrames)
		{
			Impl->Queue.push_back(FImpl::FQueuedPush{Record.Kind, SubjectKey, nullptr, FLiveLinkStaticDataStruct(), MoveTemp(FrameData)});
			++Impl->QueuedFrames;
			Record.bQueued = true;
		}
		else if (!Impl->bQueueFullLogged)
		{
			Impl->bQueueFullLogged = true;
			UE_LOG(LogLiveLink, Warning, TEXT("Dropping frames: %d are waiting for a tick."), MaxQueuedFrames);
		}
	}
	Impl->Notify(Record);
}

void FLiveLinkClient::RemoveSubject_AnyThread(const FLiveLinkSubjectKey& SubjectKey)
{
	FScopeLock ScopeLock(&Impl->Lock);
	std::erase_if(Impl->Subjects, [&SubjectKey](const std::unique_ptr<FImpl::FSubject>& Subject)
		{ return Subject->Key == SubjectKey; });
	Impl->UpdateReferencesLocked();
}

TArray<FLiveLinkSubjectKey> FLiveLinkClient::GetSubjects(bool bIncludeDisabledSubject, bool bIncludeVirtualSubject) const
{
	// The host has no virtual subjects, so bIncludeVirtualSubject changes nothing.
	TArray<FLiveLinkSubjectKey> Result;
	FScopeLock ScopeLock(&Impl->Lock);
	for (const std::unique_ptr<FImpl::FSubject>& Subject : Impl->Subjects)
	{
		if (bIncludeDisabledSubject || Subject->bEnabled)
		{
			Result.Add(Subject->Key);
		}
	}
	return Result;
}

bool FLiveLinkClient::IsSubjectEnabled(const FLiveLinkSubjectKey& SubjectKey, bool bForThisFrame) const
{
	FScopeLock ScopeLock(&Impl->Lock);
	const FImpl::FSubject* Subject = Impl->FindSubjectLocked(SubjectKey);
	return Subject && Subject->bEnabled;
}

void FLiveLinkClient::SetSubjectEnabled(const FLiveLinkSubjectKey& SubjectKey, bool bEnabled)
{
	FScopeLock ScopeLock(&Impl->Lock);
	FImpl::FSubject* Subject = Impl->FindSubjectLocked(SubjectKey);
	if (!Subject)
	{
		return;
	}
	if (bEnabled)
	{
		// Enabling one subject of a name disables the others of that name.
		for (const std::unique_ptr<FImpl::FSubject>& Other : Impl->Subjects)
		{
			if (Other->Key.SubjectName == SubjectKey.SubjectName)
			{
				Other->bEnabled = false;
			}
		}
	}
	Subject->bEnabled = bEnabled;
}

ULiveLinkSourceSettings* FLiveLinkClient::GetSourceSettings(const FGuid& SourceGuid) const
{
	FScopeLock ScopeLock(&Impl->Lock);
	const FImpl::FSourceEntry* Entry = Impl->FindLiveSourceLocked(SourceGuid);
	return Entry ? Entry->Settings : nullptr;
}

UObject* FLiveLinkClient::GetSubjectSettings(const FLiveLinkSubjectKey& SubjectKey) const
{
	FScopeLock ScopeLock(&Impl->Lock);
	const FImpl::FSubject* Subject = Impl->FindSubjectLocked(SubjectKey);
	return Subject ? Subject->Settings : nullptr;
}

bool FLiveLinkClient::EvaluateFrame_AnyThread(FLiveLinkSubjectName SubjectName, TSubclassOf<ULiveLinkRole> DesiredRole, FLiveLinkSubjectFrameData& OutFrame)
{
	UClass* DesiredClass = DesiredRole.Get();
	FScopeLock ScopeLock(&Impl->Lock);
	for (const std::unique_ptr<FImpl::FSubject>& Subject : Impl->Subjects)
	{
		if (!Subject->bEnabled || Subject->Key.SubjectName != SubjectName)
		{
			continue;
		}
		UClass* SubjectRole = Subject->Role.Get();
		// Host: the engine can also translate to another role; the host only serves the subject's role and its super roles.
		if (!Subject->bHasSnapshot || !DesiredClass || !SubjectRole || !SubjectRole->IsChildOf(DesiredClass))
		{
			return false;
		}
		OutFrame.StaticData.InitializeWith(Subject->StaticData);
		OutFrame.FrameData.InitializeWith(Subject->SnapshotFrame);
		return true;
	}
	return false;
}

FSimpleMulticastDelegate& FLiveLinkClient::OnLiveLinkTicked()
{
	return OnLiveLinkTickedDelegate;
}

FText FLiveLinkClient::GetSourceType(FGuid EntryGuid) const
{
	TSharedPtr<ILiveLinkSource> Source;
	{
		FScopeLock ScopeLock(&Impl->Lock);
		const FImpl::FSourceEntry* Entry = Impl->FindLiveSourceLocked(EntryGuid);
		Source = Entry ? Entry->Source : nullptr;
	}
	return Source ? Source->GetSourceType() : FText::GetEmpty();
}

FText FLiveLinkClient::GetSourceMachineName(FGuid EntryGuid) const
{
	TSharedPtr<ILiveLinkSource> Source;
	{
		FScopeLock ScopeLock(&Impl->Lock);
		const FImpl::FSourceEntry* Entry = Impl->FindLiveSourceLocked(EntryGuid);
		Source = Entry ? Entry->Source : nullptr;
	}
	return Source ? Source->GetSourceMachineName() : FText::GetEmpty();
}

FText FLiveLinkClient::GetSourceStatus(FGuid EntryGuid) const
{
	TSharedPtr<ILiveLinkSource> Source;
	{
		FScopeLock ScopeLock(&Impl->Lock);
		const FImpl::FSourceEntry* Entry = Impl->FindLiveSourceLocked(EntryGuid);
		Source = Entry ? Entry->Source : nullptr;
	}
	return Source ? Source->GetSourceStatus() : FText::GetEmpty();
}

void FLiveLinkClient::AddReferencedObjects(FReferenceCollector& Collector)
{
	// Not Lock: see ReferencesMutex.
	std::lock_guard<std::mutex> ReferencesLock(Impl->ReferencesMutex);
	for (UObject*& Object : Impl->References)
	{
		Collector.AddReferencedObject(Object);
	}
}

FString FLiveLinkClient::GetReferencerName() const
{
	return TEXT("FLiveLinkClient");
}

void FLiveLinkClient::Tick()
{
	// 1. Sources: update the live ones, retry the shutdown of the removed ones (outside the lock).
	std::vector<FImpl::FSourceEntry> Snapshot;
	{
		FScopeLock ScopeLock(&Impl->Lock);
		Snapshot = Impl->Sources;
	}
	std::vector<TSharedPtr<ILiveLinkSource>> ShutDown;
	for (const FImpl::FSourceEntry& Entry : Snapshot)
	{
		if (!Entry.bPendingKill)
		{
			Entry.Source->Update();
		}
		else if (Impl->RequestShutdown(*Entry.Source))
		{
			ShutDown.push_back(Entry.Source);
		}
	}
	if (!ShutDown.empty())
	{
		FScopeLock ScopeLock(&Impl->Lock);
		std::erase_if(Impl->Sources, [&ShutDown](const FImpl::FSourceEntry& Entry)
			{ return Entry.bPendingKill && std::find(ShutDown.begin(), ShutDown.end(), Entry.Source) != ShutDown.end(); });
		Impl->UpdateReferencesLocked();
	}
	Snapshot.clear();
	ShutDown.clear();

	// 2. The queued pushes, in arrival order.
	std::vector<FImpl::FQueuedPush> Pending;
	{
		FScopeLock QueueScope(&Impl->QueueLock);
		Pending.swap(Impl->Queue);
		Impl->QueuedFrames = 0;
		Impl->bQueueFullLogged = false;
	}
	{
		FScopeLock ScopeLock(&Impl->Lock);
		bool bAppliedStaticData = false;
		for (FImpl::FQueuedPush& Push : Pending)
		{
			bAppliedStaticData |= Push.Kind == FLiveLinkHostPushRecord::EKind::StaticData;
			Impl->ApplyQueuedLocked(Push);
		}
		if (bAppliedStaticData)
		{
			// Static data may have made or remade subjects, each with new settings.
			Impl->UpdateReferencesLocked();
		}

		// 3. Evaluate every subject with its source's settings.
		for (const std::unique_ptr<FImpl::FSubject>& Subject : Impl->Subjects)
		{
			const FImpl::FSourceEntry* Source = Impl->FindLiveSourceLocked(Subject->Key.Source);
			const FLiveLinkFrameDataStruct* Frame = FImpl::SelectFrame(*Subject, Source ? Source->Settings : nullptr);
			if (Frame)
			{
				Subject->SnapshotFrame.InitializeWith(*Frame);
				Subject->bHasSnapshot = true;
			}
		}
	}
	Pending.clear();

	// 4. Listeners run without any client lock held, so they may call the client.
	OnLiveLinkTickedDelegate.Broadcast();
}

void FLiveLinkClient::HostSetRecording(bool bInRecording)
{
	std::lock_guard<std::mutex> RecordLock(Impl->RecordMutex);
	Impl->bRecording = bInRecording;
}

TArray<FLiveLinkHostPushRecord> FLiveLinkClient::HostGetRecords() const
{
	TArray<FLiveLinkHostPushRecord> Result;
	std::lock_guard<std::mutex> RecordLock(Impl->RecordMutex);
	for (const FLiveLinkHostPushRecord& Record : Impl->Records)
	{
		Result.Add(Record);
	}
	return Result;
}

void FLiveLinkClient::HostClearRecords()
{
	std::lock_guard<std::mutex> RecordLock(Impl->RecordMutex);
	Impl->Records.clear();
}

int64 FLiveLinkClient::HostGetFramePushCount() const
{
	std::lock_guard<std::mutex> RecordLock(Impl->RecordMutex);
	return Impl->FramePushCount;
}

bool FLiveLinkClient::HostWaitForFramePushes(int64 Count, double TimeoutSeconds) const
{
	std::unique_lock<std::mutex> RecordLock(Impl->RecordMutex);
	const auto Timeout = std::chrono::duration<double>(FMath::Max(TimeoutSeconds, 0.0));
	return Impl->RecordCondition.wait_for(RecordLock, Timeout, [this, Count]()
		{ return Impl->FramePushCount >= Count; });
}

int32 FLiveLinkClient::HostAddPushObserver(TFunction<void(const FLiveLinkHostPushRecord&)> Observer)
{
	std::lock_guard<std::recursive_mutex> ObserverLock(Impl->ObserverMutex);
	const int32 Handle = Impl->NextObserverHandle++;
	Impl->Observers.emplace_back(Handle, MoveTemp(Observer));
	return Handle;
}

void FLiveLinkClient::HostRemovePushObserver(int32 Handle)
{
	std::lock_guard<std::recursive_mutex> ObserverLock(Impl->ObserverMutex);
	std::erase_if(Impl->Observers, [Handle](const auto& Entry)
		{ return Entry.first == Handle; });
}

int32 FLiveLinkClient::HostGetPendingRemovalCount() const
{
	FScopeLock ScopeLock(&Impl->Lock);
	int32 Count = 0;
	for (const FImpl::FSourceEntry& Entry : Impl->Sources)
	{
		Count += Entry.bPendingKill ? 1 : 0;
	}
	return Count;
}
