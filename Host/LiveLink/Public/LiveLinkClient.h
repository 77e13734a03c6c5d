// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's LiveLink/Public/LiveLinkClient.h: the headless Live Link client.
#pragma once

#include "CoreMinimal.h"
#include "ILiveLinkClient.h"
#include "Templates/Function.h"
#include "UObject/GCObject.h"

/** Host only: one push a source made, as the client received it. */
struct FLiveLinkHostPushRecord
{
	enum class EKind : uint8
	{
		StaticData,
		FrameData
	};

	EKind Kind = EKind::FrameData;
	/** When the push reached the client: steady clock, nanoseconds. */
	int64 ArrivalNanoseconds = 0;
	FLiveLinkSubjectKey SubjectKey;
	/** The role, for static data. */
	TSubclassOf<ULiveLinkRole> Role;
	/** A copy of the pushed data (StaticData for static pushes, FrameData for frame pushes). */
	TSharedPtr<const FLiveLinkStaticDataStruct> StaticData;
	TSharedPtr<const FLiveLinkFrameDataStruct> FrameData;
	/** False when the client refused the push at once (no such source, wrong struct type, empty data). */
	bool bQueued = false;
};

/**
 * The Live Link client of the headless host. As in the engine, pushes from any thread are queued
 * and applied by Tick on the game thread, which then evaluates every subject and broadcasts
 * OnLiveLinkTicked. Whoever drives the host calls Tick once per frame.
 */
class LIVELINK_API FLiveLinkClient : public ILiveLinkClient, public FGCObject
{
public:
	FLiveLinkClient();
	virtual ~FLiveLinkClient() override;
	FLiveLinkClient(const FLiveLinkClient&) = delete;
	FLiveLinkClient& operator=(const FLiveLinkClient&) = delete;

	// ILiveLinkClient interface
	virtual FGuid AddSource(TSharedPtr<ILiveLinkSource> InSource) override;
	virtual bool CreateSource(const FLiveLinkSourcePreset& InSourcePreset) override;
	virtual void RemoveSource(TSharedPtr<ILiveLinkSource> InSource) override;
	virtual void RemoveSource(FGuid InEntryGuid) override;
	virtual TArray<FGuid> GetSources(bool bEvenIfPendingKill = false) const override;
	virtual FLiveLinkSourcePreset GetSourcePreset(FGuid SourceGuid, UObject* DuplicatedObjectOuter) const override;
	virtual FLiveLinkSubjectPreset GetSubjectPreset(const FLiveLinkSubjectKey& SubjectKey, UObject* DuplicatedObjectOuter) const override;
	virtual bool CreateSubject(const FLiveLinkSubjectPreset& SubjectPreset) override;
	virtual void PushSubjectStaticData_AnyThread(const FLiveLinkSubjectKey& SubjectKey, TSubclassOf<ULiveLinkRole> Role, FLiveLinkStaticDataStruct&& StaticData) override;
	virtual void PushSubjectFrameData_AnyThread(const FLiveLinkSubjectKey& SubjectKey, FLiveLinkFrameDataStruct&& FrameData) override;
	virtual void RemoveSubject_AnyThread(const FLiveLinkSubjectKey& SubjectKey) override;
	virtual TArray<FLiveLinkSubjectKey> GetSubjects(bool bIncludeDisabledSubject, bool bIncludeVirtualSubject) const override;
	virtual bool IsSubjectEnabled(const FLiveLinkSubjectKey& SubjectKey, bool bForThisFrame) const override;
	virtual void SetSubjectEnabled(const FLiveLinkSubjectKey& SubjectKey, bool bEnabled) override;
	virtual ULiveLinkSourceSettings* GetSourceSettings(const FGuid& SourceGuid) const override;
	virtual UObject* GetSubjectSettings(const FLiveLinkSubjectKey& SubjectKey) const override;
	virtual bool EvaluateFrame_AnyThread(FLiveLinkSubjectName SubjectName, TSubclassOf<ULiveLinkRole> DesiredRole, FLiveLinkSubjectFrameData& OutFrame) override;
	virtual FSimpleMulticastDelegate& OnLiveLinkTicked() override;
	virtual FText GetSourceType(FGuid EntryGuid) const override;
	virtual FText GetSourceMachineName(FGuid EntryGuid) const override;
	virtual FText GetSourceStatus(FGuid EntryGuid) const override;
	// End ILiveLinkClient interface

	// FGCObject interface
	virtual void AddReferencedObjects(FReferenceCollector& Collector) override;
	virtual FString GetReferencerName() const override;
	// End FGCObject interface

	/**
	 * Game thread, once per frame: updates the sources, retries the shutdown of removed ones, applies
	 * the queued pushes in arrival order, evaluates every subject, then broadcasts OnLiveLinkTicked.
	 */
	void Tick();

	/** Removes every source, as RemoveSource does for each. */
	void RemoveAllSources();

	/** Host only: starts or stops keeping a record of every push (off at first; records cost memory). */
	void HostSetRecording(bool bInRecording);
	/** Host only: the records kept so far, in arrival order. */
	TArray<FLiveLinkHostPushRecord> HostGetRecords() const;
	void HostClearRecords();
	/** Host only: how many frame pushes have reached the client (recording or not, accepted or not). */
	int64 HostGetFramePushCount() const;
	/** Host only: waits until HostGetFramePushCount() reaches Count; false after TimeoutSeconds. */
	bool HostWaitForFramePushes(int64 Count, double TimeoutSeconds) const;
	/**
	 * Host only: calls Observer on the pushing thread for every push, after it is queued or refused.
	 * The observer must not push to this client. Returns a handle for HostRemovePushObserver.
	 */
	int32 HostAddPushObserver(TFunction<void(const FLiveLinkHostPushRecord&)> Observer);
	/** Host only: once this returns, the observer is not running and will not be called again. */
	void HostRemovePushObserver(int32 Handle);
	/** Host only: removed sources still waiting for RequestSourceShutdown to return true. */
	int32 HostGetPendingRemovalCount() const;

private:
	struct FImpl;
	TUniquePtr<FImpl> Impl;
	FSimpleMulticastDelegate OnLiveLinkTickedDelegate;
};
