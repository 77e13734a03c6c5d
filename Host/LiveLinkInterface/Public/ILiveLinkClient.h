// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's LiveLinkInterface/Public/ILiveLinkClient.h.
#pragma once

#include "CoreMinimal.h"
#include "Delegates/Delegate.h"
#include "Features/IModularFeature.h"
#include "LiveLinkPresetTypes.h"
#include "LiveLinkRole.h"
#include "LiveLinkTypes.h"
#include "Templates/SubclassOf.h"

class ILiveLinkSource;
class ULiveLinkSourceSettings;

/**
 * The Live Link client: owns the sources, receives their subjects' data from any thread and
 * evaluates it on the game thread. Found through IModularFeatures under ModularFeatureName.
 */
class LIVELINKINTERFACE_API ILiveLinkClient : public IModularFeature
{
public:
	virtual ~ILiveLinkClient() {}

	/** "LiveLinkClient". */
	static FName ModularFeatureName;

	/** Adds a source: the client gives it a new guid and a settings object. An invalid guid when not added. */
	virtual FGuid AddSource(TSharedPtr<ILiveLinkSource> InSource) = 0;

	/** Makes a source with the factory of the preset's settings and adds it with a copy of those settings. */
	virtual bool CreateSource(const FLiveLinkSourcePreset& InSourcePreset) = 0;

	/** Removes a source and its subjects; the source is released once it agrees to shut down. */
	virtual void RemoveSource(TSharedPtr<ILiveLinkSource> Source) = 0;
	virtual void RemoveSource(FGuid SourceGuid) = 0;

	/** The guids of the sources, with those waiting to shut down when bEvenIfPendingKill. */
	virtual TArray<FGuid> GetSources(bool bEvenIfPendingKill = false) const = 0;

	/** The source with a copy of its settings made in DuplicatedObjectOuter. */
	virtual FLiveLinkSourcePreset GetSourcePreset(FGuid SourceGuid, UObject* DuplicatedObjectOuter) const = 0;

	/** The subject with a copy of its settings made in DuplicatedObjectOuter. */
	virtual FLiveLinkSubjectPreset GetSubjectPreset(const FLiveLinkSubjectKey& SubjectKey, UObject* DuplicatedObjectOuter) const = 0;

	/** Makes a subject from a preset (for a source already in the client). */
	virtual bool CreateSubject(const FLiveLinkSubjectPreset& SubjectPreset) = 0;

	/** Sets a subject's static data (making the subject); safe from any thread. */
	virtual void PushSubjectStaticData_AnyThread(const FLiveLinkSubjectKey& SubjectKey, TSubclassOf<ULiveLinkRole> Role, FLiveLinkStaticDataStruct&& StaticData) = 0;

	/** Adds a frame to a subject's buffer; safe from any thread. */
	virtual void PushSubjectFrameData_AnyThread(const FLiveLinkSubjectKey& SubjectKey, FLiveLinkFrameDataStruct&& FrameData) = 0;

	/** Removes a subject; safe from any thread. */
	virtual void RemoveSubject_AnyThread(const FLiveLinkSubjectKey& SubjectKey) = 0;

	/** The subject keys, with the disabled and the virtual subjects when asked. */
	virtual TArray<FLiveLinkSubjectKey> GetSubjects(bool bIncludeDisabledSubject, bool bIncludeVirtualSubject) const = 0;

	virtual bool IsSubjectEnabled(const FLiveLinkSubjectKey& SubjectKey, bool bForThisFrame) const = 0;
	virtual void SetSubjectEnabled(const FLiveLinkSubjectKey& SubjectKey, bool bEnabled) = 0;

	/** The settings object of a source; null when there is no such source. */
	virtual ULiveLinkSourceSettings* GetSourceSettings(const FGuid& SourceGuid) const = 0;

	/** The settings object of a subject (a ULiveLinkSubjectSettings for a live subject); null when none. */
	virtual UObject* GetSubjectSettings(const FLiveLinkSubjectKey& SubjectKey) const = 0;

	/** The enabled subject of that name, evaluated at the last tick, if its role is DesiredRole or derives from it. */
	virtual bool EvaluateFrame_AnyThread(FLiveLinkSubjectName SubjectName, TSubclassOf<ULiveLinkRole> DesiredRole, FLiveLinkSubjectFrameData& OutFrame) = 0;

	/** Broadcast on the game thread after each tick has evaluated the subjects. */
	virtual FSimpleMulticastDelegate& OnLiveLinkTicked() = 0;

	virtual FText GetSourceType(FGuid EntryGuid) const = 0;
	virtual FText GetSourceMachineName(FGuid EntryGuid) const = 0;
	virtual FText GetSourceStatus(FGuid EntryGuid) const = 0;
};
