// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's AssetToolsModule.h: the AssetTools module.
#pragma once

#include "CoreMinimal.h"
#include "IAssetTools.h"
#include "Modules/ModuleInterface.h"
#include "Templates/UniquePtr.h"

/** The AssetTools module: load it by the name "AssetTools". */
class ASSETTOOLS_API FAssetToolsModule : public IModuleInterface
{
public:
	virtual void StartupModule() override;
	virtual void ShutdownModule() override;

	/** The module's asset tools. */
	IAssetTools& Get() const;
	/** The module, loaded if needed. */
	static FAssetToolsModule& GetModule();

private:
	TUniquePtr<IAssetTools> AssetTools;
};
