// Copyright Kelmora. All Rights Reserved.
#include "OrvaneLiveLinkSourceFactory.h"

#include "OrvaneLiveLinkSource.h"
#include "SOrvaneLiveLinkSourceFactory.h"

#define LOCTEXT_NAMESPACE "OrvaneLiveLinkSourceFactory"

FText UOrvaneLiveLinkSourceFactory::GetSourceDisplayName() const
{
	return LOCTEXT("SourceDisplayName", "Orvane LiveLink");
}

FText UOrvaneLiveLinkSourceFactory::GetSourceTooltip() const
{
	return LOCTEXT("SourceTooltip", "Creates a connection to Kelmora Orvane");
}

TSharedPtr<SWidget> UOrvaneLiveLinkSourceFactory::BuildCreationPanel(FOnLiveLinkSourceCreated OnLiveLinkSourceCreated) const
{
	return SNew(SOrvaneLiveLinkSourceFactory)
		.OnOkClicked(SOrvaneLiveLinkSourceFactory::FOnOkClicked::CreateUObject(this, &UOrvaneLiveLinkSourceFactory::OnOkClicked, OnLiveLinkSourceCreated));
}

TSharedPtr<ILiveLinkSource> UOrvaneLiveLinkSourceFactory::CreateSource(const FString& ConnectionString) const
{
	FIPv4Endpoint DeviceEndPoint;
	if (!FIPv4Endpoint::Parse(ConnectionString, DeviceEndPoint))
	{
		return TSharedPtr<ILiveLinkSource>();
	}
	return MakeShared<FOrvaneLiveLinkSource>(DeviceEndPoint);
}

void UOrvaneLiveLinkSourceFactory::OnOkClicked(FIPv4Endpoint Endpoint, FOnLiveLinkSourceCreated OnLiveLinkSourceCreated) const
{
	OnLiveLinkSourceCreated.ExecuteIfBound(MakeShared<FOrvaneLiveLinkSource>(Endpoint), Endpoint.ToString());
}

#undef LOCTEXT_NAMESPACE
