// Copyright Kelmora. All Rights Reserved.
#include "Modules/ModuleManager.h"

#include <mutex>
#include <vector>

struct FModuleManager::FImpl
{
	struct FModule
	{
		FName Name;
		FInitializeStaticallyLinkedModule Initializer;
		std::unique_ptr<IModuleInterface> Instance;
	};

	std::recursive_mutex Mutex;
	std::vector<FModule> Modules;
	std::vector<FName> LoadOrder;

	FModule* Find(const FName Name)
	{
		for (FModule& Module : Modules)
		{
			if (Module.Name == Name)
			{
				return &Module;
			}
		}
		return nullptr;
	}
};

FModuleManager::FModuleManager()
	: Impl(std::make_unique<FImpl>())
{
}

FModuleManager& FModuleManager::Get()
{
	static FModuleManager* Singleton = new FModuleManager();
	return *Singleton;
}

void FModuleManager::RegisterStaticallyLinkedModule(const FName InModuleName, const FInitializeStaticallyLinkedModule& InInitializer)
{
	std::lock_guard<std::recursive_mutex> Lock(Impl->Mutex);
	if (FImpl::FModule* Existing = Impl->Find(InModuleName))
	{
		Existing->Initializer = InInitializer;
		return;
	}
	Impl->Modules.push_back(FImpl::FModule{InModuleName, InInitializer, nullptr});
}

IModuleInterface* FModuleManager::LoadModule(const FName InModuleName)
{
	std::lock_guard<std::recursive_mutex> Lock(Impl->Mutex);
	FImpl::FModule* Module = Impl->Find(InModuleName);
	if (!Module)
	{
		return nullptr;
	}
	if (!Module->Instance)
	{
		Module->Instance.reset(Module->Initializer());
		Impl->LoadOrder.push_back(InModuleName);
		Module->Instance->StartupModule();
	}
	return Module->Instance.get();
}

IModuleInterface& FModuleManager::LoadModuleChecked(const FName InModuleName)
{
	IModuleInterface* Module = LoadModule(InModuleName);
	check(Module);
	return *Module;
}

bool FModuleManager::UnloadModule(const FName InModuleName, bool bIsShutdown)
{
	std::lock_guard<std::recursive_mutex> Lock(Impl->Mutex);
	FImpl::FModule* Module = Impl->Find(InModuleName);
	if (!Module || !Module->Instance)
	{
		return false;
	}
	Module->Instance->PreUnloadCallback();
	Module->Instance->ShutdownModule();
	Module->Instance.reset();
	std::erase(Impl->LoadOrder, InModuleName);
	return true;
}

bool FModuleManager::IsModuleLoaded(const FName InModuleName) const
{
	std::lock_guard<std::recursive_mutex> Lock(Impl->Mutex);
	const FImpl::FModule* Module = Impl->Find(InModuleName);
	return Module && Module->Instance;
}

IModuleInterface* FModuleManager::GetModule(const FName InModuleName)
{
	std::lock_guard<std::recursive_mutex> Lock(Impl->Mutex);
	FImpl::FModule* Module = Impl->Find(InModuleName);
	return Module ? Module->Instance.get() : nullptr;
}

void FModuleManager::UnloadModulesAtShutdown()
{
	std::lock_guard<std::recursive_mutex> Lock(Impl->Mutex);
	while (!Impl->LoadOrder.empty())
	{
		UnloadModule(Impl->LoadOrder.back(), true);
	}
}
