// Copyright Kelmora. All Rights Reserved.
#include "Features/IModularFeatures.h"
#include "InterpolationProcessor/LiveLinkBasicFrameInterpolateProcessor.h"
#include "LiveLinkClient.h"
#include "LiveLinkHostLog.h"
#include "Modules/ModuleManager.h"
#include "Roles/LiveLinkBasicRole.h"

DEFINE_LOG_CATEGORY(LogLiveLink);

TSubclassOf<ULiveLinkRole> ULiveLinkBasicFrameInterpolationProcessor::GetRole() const
{
	return ULiveLinkBasicRole::StaticClass();
}

/** The Live Link plug-in's runtime module: owns the client and registers it as a modular feature. */
class FLiveLinkModule : public IModuleInterface
{
public:
	virtual void StartupModule() override
	{
		Client = MakeUnique<FLiveLinkClient>();
		IModularFeatures::Get().RegisterModularFeature(ILiveLinkClient::ModularFeatureName, Client.get());
	}

	virtual void ShutdownModule() override
	{
		if (!Client)
		{
			return;
		}
		Client->RemoveAllSources();
		IModularFeatures::Get().UnregisterModularFeature(ILiveLinkClient::ModularFeatureName, Client.get());
		Client.reset();
	}

private:
	TUniquePtr<FLiveLinkClient> Client;
};

IMPLEMENT_MODULE(FLiveLinkModule, LiveLink)
