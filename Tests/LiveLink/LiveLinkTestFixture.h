// Copyright Kelmora. All Rights Reserved.
// A Live Link source and source factory for the client and preset tests.
#pragma once

#include "CoreMinimal.h"
#include "ILiveLinkClient.h"
#include "ILiveLinkSource.h"
#include "LiveLinkSourceFactory.h"

#include <atomic>

#include "LiveLinkTestFixture.generated.h"

/** A source that counts what the client calls on it. */
class FLiveLinkTestSource : public ILiveLinkSource
{
public:
	explicit FLiveLinkTestSource(FString InConnectionString = FString(), std::atomic<int32>* InDestroyedCounter = nullptr)
		: ConnectionString(MoveTemp(InConnectionString))
		, DestroyedCounter(InDestroyedCounter)
	{
	}
	virtual ~FLiveLinkTestSource() override
	{
		if (DestroyedCounter)
		{
			++*DestroyedCounter;
		}
	}

	// ILiveLinkSource interface
	virtual void ReceiveClient(ILiveLinkClient* InClient, FGuid InSourceGuid) override
	{
		Client = InClient;
		Guid = InSourceGuid;
		++ReceiveClientCalls;
	}
	virtual void InitializeSettings(ULiveLinkSourceSettings* InSettings) override
	{
		Settings = InSettings;
		ReceiveClientCallsBeforeSettings = ReceiveClientCalls;
	}
	virtual void Update() override { ++UpdateCalls; }
	virtual bool IsSourceStillValid() const override { return true; }
	virtual bool RequestSourceShutdown() override
	{
		++ShutdownRequests;
		return bAgreeToShutdown;
	}
	virtual FText GetSourceType() const override { return FText::FromString(TEXT("Test")); }
	virtual FText GetSourceMachineName() const override { return FText::FromString(ConnectionString); }
	virtual FText GetSourceStatus() const override { return FText::FromString(TEXT("Active")); }
	// End ILiveLinkSource interface

	FString ConnectionString;
	std::atomic<int32>* DestroyedCounter;
	ILiveLinkClient* Client = nullptr;
	FGuid Guid;
	ULiveLinkSourceSettings* Settings = nullptr;
	int32 ReceiveClientCalls = 0;
	int32 ReceiveClientCallsBeforeSettings = -1;
	int32 UpdateCalls = 0;
	std::atomic<int32> ShutdownRequests{0};
	std::atomic<bool> bAgreeToShutdown{true};
};

/** Makes FLiveLinkTestSources and remembers the connection strings it was given. */
UCLASS()
class ULiveLinkTestSourceFactory : public ULiveLinkSourceFactory
{
	GENERATED_BODY()

public:
	using Super::CreateSource;

	virtual TSharedPtr<ILiveLinkSource> CreateSource(const FString& InConnectionString) const override
	{
		CreatedFrom().Add(InConnectionString);
		return MakeShared<FLiveLinkTestSource>(InConnectionString, &DestroyedCount());
	}

	/** The connection strings of every source made so far. */
	static TArray<FString>& CreatedFrom()
	{
		static TArray<FString> Strings;
		return Strings;
	}
	/** How many sources this factory made have been destroyed. */
	static std::atomic<int32>& DestroyedCount()
	{
		static std::atomic<int32> Count{0};
		return Count;
	}
};
