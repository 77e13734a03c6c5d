// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Modules/ModuleManager.h. Modules register themselves statically
// (IMPLEMENT_MODULE) and start when first loaded; the host unloads them in reverse load order.
#pragma once

#include "CoreTypes.h"
#include "Modules/ModuleInterface.h"
#include "UObject/NameTypes.h"

#include <functional>
#include <memory>

class FModuleManager
{
public:
	typedef std::function<IModuleInterface*()> FInitializeStaticallyLinkedModule;

	static FModuleManager& Get();

	IModuleInterface* LoadModule(const FName InModuleName);
	IModuleInterface& LoadModuleChecked(const FName InModuleName);
	bool UnloadModule(const FName InModuleName, bool bIsShutdown = false);
	bool IsModuleLoaded(const FName InModuleName) const;
	IModuleInterface* GetModule(const FName InModuleName);
	/** Shuts every loaded module down, the last loaded first. */
	void UnloadModulesAtShutdown();

	template <typename TModuleInterface>
	static TModuleInterface& LoadModuleChecked(const FName ModuleName)
	{
		return static_cast<TModuleInterface&>(Get().LoadModuleChecked(ModuleName));
	}
	template <typename TModuleInterface>
	static TModuleInterface* LoadModulePtr(const FName ModuleName)
	{
		return static_cast<TModuleInterface*>(Get().LoadModule(ModuleName));
	}
	template <typename TModuleInterface>
	static TModuleInterface& GetModuleChecked(const FName ModuleName)
	{
		IModuleInterface* Module = Get().GetModule(ModuleName);
		check(Module);
		return static_cast<TModuleInterface&>(*Module);
	}
	template <typename TModuleInterface>
	static TModuleInterface* GetModulePtr(const FName ModuleName)
	{
		return static_cast<TModuleInterface*>(Get().GetModule(ModuleName));
	}

	void RegisterStaticallyLinkedModule(const FName InModuleName, const FInitializeStaticallyLinkedModule& InInitializer);

private:
	FModuleManager();
	struct FImpl;
	std::unique_ptr<FImpl> Impl;
};

template <class ModuleClass>
class FStaticallyLinkedModuleRegistrant
{
public:
	explicit FStaticallyLinkedModuleRegistrant(const TCHAR* InModuleName)
	{
		FModuleManager::Get().RegisterStaticallyLinkedModule(FName(InModuleName), []() -> IModuleInterface*
			{ return new ModuleClass(); });
	}
};

#define IMPLEMENT_MODULE(ModuleImplClass, ModuleName) \
	static FStaticallyLinkedModuleRegistrant<ModuleImplClass> ModuleRegistrant##ModuleName(TEXT(#ModuleName));
