// Copyright Kelmora. All Rights Reserved.
#include "LiveLinkPreset.h"

#include "Features/IModularFeatures.h"
#include "ILiveLinkClient.h"
#include "LiveLinkHostLog.h"

namespace
{
	ILiveLinkClient* FindClient()
	{
		IModularFeatures& Features = IModularFeatures::Get();
		if (Features.GetModularFeatureImplementationCount(ILiveLinkClient::ModularFeatureName) < 1)
		{
			return nullptr;
		}
		return &Features.GetModularFeature<ILiveLinkClient>(ILiveLinkClient::ModularFeatureName);
	}
}

bool ULiveLinkPreset::ApplyToClient() const
{
	ILiveLinkClient* Client = FindClient();
	if (!Client)
	{
		UE_LOG(LogLiveLink, Warning, TEXT("ApplyToClient: no Live Link client."));
		return false;
	}
	// Removed sources that have not finished shutting down stay pending in the client, under their old
	// guid; the recreated sources are added beside them.
	for (const FGuid& Guid : Client->GetSources(false))
	{
		Client->RemoveSource(Guid);
	}
	for (const FLiveLinkSubjectKey& Key : Client->GetSubjects(true, true))
	{
		Client->RemoveSubject_AnyThread(Key);
	}
	return AddToClient(true);
}

bool ULiveLinkPreset::AddToClient(const bool bRecreatePresets) const
{
	ILiveLinkClient* Client = FindClient();
	if (!Client)
	{
		UE_LOG(LogLiveLink, Warning, TEXT("AddToClient: no Live Link client."));
		return false;
	}
	bool bAllAdded = true;
	const TArray<FGuid> Existing = Client->GetSources(false);
	for (const FLiveLinkSourcePreset& SourcePreset : Sources)
	{
		if (Existing.Contains(SourcePreset.Guid))
		{
			if (!bRecreatePresets)
			{
				continue;
			}
			Client->RemoveSource(SourcePreset.Guid);
		}
		bAllAdded &= Client->CreateSource(SourcePreset);
	}
	const TArray<FLiveLinkSubjectKey> ExistingSubjects = Client->GetSubjects(true, true);
	for (const FLiveLinkSubjectPreset& SubjectPreset : Subjects)
	{
		if (ExistingSubjects.Contains(SubjectPreset.Key))
		{
			if (!bRecreatePresets)
			{
				continue;
			}
			Client->RemoveSubject_AnyThread(SubjectPreset.Key);
		}
		bAllAdded &= Client->CreateSubject(SubjectPreset);
	}
	return bAllAdded;
}

void ULiveLinkPreset::BuildFromClient()
{
	Sources.Reset();
	Subjects.Reset();
	ILiveLinkClient* Client = FindClient();
	if (!Client)
	{
		UE_LOG(LogLiveLink, Warning, TEXT("BuildFromClient: no Live Link client."));
		return;
	}
	for (const FGuid& Guid : Client->GetSources(false))
	{
		FLiveLinkSourcePreset SourcePreset = Client->GetSourcePreset(Guid, this);
		if (SourcePreset.Guid.IsValid())
		{
			Sources.Add(MoveTemp(SourcePreset));
		}
	}
	for (const FLiveLinkSubjectKey& Key : Client->GetSubjects(true, true))
	{
		FLiveLinkSubjectPreset SubjectPreset = Client->GetSubjectPreset(Key, this);
		if (SubjectPreset.Role.Get())
		{
			Subjects.Add(MoveTemp(SubjectPreset));
		}
	}
}
