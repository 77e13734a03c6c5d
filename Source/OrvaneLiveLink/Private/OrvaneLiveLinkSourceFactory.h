// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "Interfaces/IPv4/IPv4Endpoint.h"
#include "LiveLinkSourceFactory.h"

#include "OrvaneLiveLinkSourceFactory.generated.h"

/** Lists the compositing application's camera in the Live Link panel and builds its sources. */
UCLASS()
class UOrvaneLiveLinkSourceFactory : public ULiveLinkSourceFactory
{
	GENERATED_BODY()

public:
	// ULiveLinkSourceFactory interface
	virtual FText GetSourceDisplayName() const override;
	virtual FText GetSourceTooltip() const override;
	virtual EMenuType GetMenuType() const override { return EMenuType::SubPanel; }
	virtual TSharedPtr<SWidget> BuildCreationPanel(FOnLiveLinkSourceCreated OnLiveLinkSourceCreated) const override;
	using Super::CreateSource;
	/** Builds a source listening on the "address:port" of the connection string; none when it does not parse. */
	virtual TSharedPtr<ILiveLinkSource> CreateSource(const FString& ConnectionString) const override;
	// End ULiveLinkSourceFactory interface

	virtual bool IsEditorOnly() const override { return true; }

private:
	void OnOkClicked(FIPv4Endpoint Endpoint, FOnLiveLinkSourceCreated OnLiveLinkSourceCreated) const;
};
